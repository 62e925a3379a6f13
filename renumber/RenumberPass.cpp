// The renumbering pass: one walk over a directory listing that renames every
// entry to the next free numbered name.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "fsystem/FSystem.h"
#include "platform/os/ErrorText.h"
#include "platform/os/FileServices.h"
#include "renumber/ControlIds.h"
#include "renumber/NameRules.h"
#include "renumber/NumberingOrder.h"
#include "renumber/PassMessages.h"
#include "renumber/PassPlan.h"
#include "renumber/PictureGroups.h"
#include "renumber/RenameLog.h"
#include "renumber/RenameLogFile.h"
#include "renumber/RenumberDialog.h"

namespace {

// A rename refused because its name was taken (by an entry, or by another
// program a moment after the test) is tried again with the next free number;
// this many times at most, so a file system that refuses every name cannot
// hold the pass.
constexpr int kMostRetriesOfTakenNames = 1000;

// Names that would not fit are refused before anything is renamed.
const char kNewNameTooLong[] = "The new file names would be too long: at most 255 bytes.";
const char kOldNameTooLong[] = "A file name in the directory is too long: at most 255 bytes.";

// Whether an entry is the run's own log, which must keep its name while the
// pass renames *.log files: "renum.log" in any case of letters.
bool IsTheLog(const char* name) { return EqualIgnoringAsciiCase(name, kLogFileName); }

// Which of the run's kinds a name is of (the pass listed it as one).
size_t KindIndex(const char* name, const std::vector<std::string>& kinds) {
  for (size_t kind = 0; kind < kinds.size(); ++kind) {
    if (HasExtension(name, kinds[kind].c_str())) return kind;
  }
  return 0;
}

// The groups of the run's kinds in list order, their pictures' names in the
// list's own packed text: the rename loop reads them straight through.
struct ListedNames {
  std::shared_ptr<const std::string> text;  // the names, kept when their listing is gone
  std::vector<Companion> companionsHeld;  // the groups' companions
  std::vector<PictureGroup> groups;       // the pictures that have companions, with them, by picture address
  std::vector<const char*> names;    // the pictures, in the numbering order once ordered
  size_t longest = 0;                // bytes of the longest name of a group
  const char* unloggable = nullptr;  // the first name a log line cannot hold, if any
  size_t companions = 0;
};

// The groups of the names of the run's kinds, leaving out the run's own log
// when it is kept.
ListedNames CollectNames(const FileList& list, const std::vector<std::string>& kinds, bool keepLog,
                         bool withCompanions) {
  ListedNames listed;
  listed.text = list.Names().Text();
  PictureGroups grouped =
      keepLog ? GroupPictures(list.Names().Selected([](const char* name) { return !IsTheLog(name); }), kinds,
                              withCompanions)
              : GroupPictures(list.Names(), kinds, withCompanions);
  listed.names = std::move(grouped.pictures);
  listed.companionsHeld = std::move(grouped.companions);
  listed.groups = std::move(grouped.withCompanions);
  // The rename loop finds a picture's group by the address of its name.
  std::sort(listed.groups.begin(), listed.groups.end(),
            [](const PictureGroup& a, const PictureGroup& b) { return std::less<const char*>()(a.picture, b.picture); });
  const auto take = [&listed](const char* name) {
    if (!listed.unloggable && !FitsOnLogLine(name)) listed.unloggable = name;
    listed.longest = std::max(listed.longest, std::strlen(name));
  };
  for (const char* picture : listed.names) take(picture);
  for (const PictureGroup& group : listed.groups) {
    for (const Companion& companion : group.Companions()) take(companion.name);
    listed.companions += group.Companions().size();
  }
  return listed;
}

// A listed kind other than the named file's takes the spelling its first
// picture gives it, so that each file keeps its extension as the named
// kind keeps the named file's.
//   kinds {"jpg", "mov"}, named "jpg": "b.MOV" "c.mov" => {"jpg", "MOV"}
void SpellKindsAsTheDirectory(PassPlan& plan, const std::vector<const char*>& pictures) {
  std::vector<bool> spelt(plan.kinds.size());
  size_t left = 0;
  for (size_t kind = 0; kind < plan.kinds.size(); ++kind) {
    spelt[kind] = plan.kinds[kind] == plan.extension;
    left += !spelt[kind];
  }
  for (size_t i = 0; i < pictures.size() && left > 0; ++i) {
    const size_t kind = KindIndex(pictures[i], plan.kinds);
    if (spelt[kind]) continue;
    const char* name = pictures[i];
    plan.kinds[kind].assign(name + std::strlen(name) - plan.kinds[kind].size());
    spelt[kind] = true;
    --left;
  }
}

// The longest new name a group's companion would get with `number`, and the
// companion; null when no companion is longer than its picture's name.
struct LongestCompanionName {
  const char* companion = nullptr;
  size_t bytes = 0;
};
LongestCompanionName LongestNewCompanionName(const ListedNames& listed, const PassPlan& plan,
                                             const RunOptions& options, long number) {
  LongestCompanionName longest;
  char newName[kMaxNameBytes + 1];
  for (const PictureGroup& group : listed.groups) {
    if (group.Companions().empty()) continue;
    const size_t newBytes =
        static_cast<size_t>(plan.NameRule(options, group.kind).Format(number, newName, sizeof newName));
    const size_t stemBytes = newBytes - 1 - plan.kinds[group.kind].size();
    for (const Companion& companion : group.Companions()) {
      const size_t bytes = (companion.appleDouble ? 2 : 0) + (companion.afterWholeName ? newBytes : stemBytes) +
                           std::strlen(companion.name + companion.keptFrom);
      if (bytes > longest.bytes) longest = {companion.name, bytes};
    }
  }
  return longest;
}

// Puts the listed names into the numbering order and tells `onOrdered` what
// each was ordered by. The second pass keeps name order: it lists the names
// the first pass gave, whose numbers already stand in the chosen order.
void OrderListedNames(ListedNames& names, const char* directory, NumberingOrder order, const TakenClock& clock,
                      PassKind pass, const std::function<void(const char*, const std::string&)>& onOrdered) {
  if (pass == PassKind::kSecond) order = NumberingOrder::kName;
  if (order == NumberingOrder::kName && !onOrdered) return;
  std::vector<OrderedTime> times;
  PutInNumberingOrder(names.names, directory, order, &times, clock);
  if (!onOrdered) return;
  for (size_t i = 0; i < names.names.size(); ++i) {
    onOrdered(names.names[i], order == NumberingOrder::kName ? "name" : DescribeOrderedBy(times[i], order));
  }
}

enum class EntryFailure { kNone, kRename, kLog };
struct EntryOutcome {
  EntryFailure failure = EntryFailure::kNone;
  int error = 0;  // the errno value of the failure
  // The companion whose rename failed, and its new name; else empty: the
  // picture's rename failed.
  std::string companion, companionNewName;
};

// Writes the line of a rename about to be made, with what identifies the
// file (when the system can tell), so undo can prove it renames that file.
bool RecordRename(RenameLogFile& log, RunDirectory& directory, const char* from, const char* to) {
  FileIdentity identity;
  const bool known = directory.Identify(from, identity) == 0;
  return log.Record(from, to, known ? &identity : nullptr);
}

// Gives the entry `oldName` the name of the first free number from `counter`
// on, its own name counting as taken, and moves the counter past it.
//
// The never-replacing rename is itself the test of a name: it refuses a
// taken one (EEXIST), the entry's own included. So a name is tried at once,
// and only after a refusal are the next names tested with the cheaper
// existence test (in a directory numbered before, they are taken in a row).
// With a log the line goes first, so a name is tested before its line is
// written; a rename that fails takes its line back.
EntryOutcome RenameToNextFreeName(RunDirectory& directory, const NewNameRule& rule, const char* oldName,
                                  int32_t& counter, RenameLogFile& log, char* newName, size_t room) {
  const auto formatNext = [&] {
    return counter < INT32_MAX && rule.Format(counter++, newName, room) < static_cast<int>(room);
  };
  bool testFirst = log.IsOpen();
  for (int refused = 0; refused <= kMostRetriesOfTakenNames; ++refused) {
    bool fits = formatNext();
    while (testFirst && fits && directory.Exists(newName) == 1) fits = formatNext();
    if (!fits) return {EntryFailure::kRename, ENAMETOOLONG, {}, {}};

    if (log.IsOpen() && !RecordRename(log, directory, oldName, newName)) {
      return {EntryFailure::kLog, errno ? errno : EIO, {}, {}};
    }
    const int error = directory.Rename(oldName, newName);
    if (error == 0) return {};
    if (log.IsOpen()) log.TakeBack();
    if (error != EEXIST) return {EntryFailure::kRename, error, {}, {}};
    testFirst = true;
  }
  return {EntryFailure::kRename, EEXIST, {}, {}};
}

// Gives a picture and its companions the names of the first number from
// `counter` on at which every one of them is free (their own names counting
// as taken), and moves the counter past it: the picture first, then each
// companion, each after its log line. A picture's name taken meanwhile is
// tried again with the next number; a companion's rename that fails stops
// the group where it is, which the log lets undo take back.
EntryOutcome RenameGroupToNextFreeNumber(RunDirectory& directory, const NewNameRule& rule, const PictureGroup& group,
                                         int32_t& counter, RenameLogFile& log, char* newName, size_t room,
                                         std::vector<std::string>& companionNames) {
  const size_t kindBytes = std::strlen(rule.extension);
  const std::span<const Companion> companions = group.Companions();
  companionNames.resize(companions.size());
  for (int refused = 0; refused <= kMostRetriesOfTakenNames; ++refused) {
    for (bool free = false; !free;) {
      const int bytes = counter < INT32_MAX ? rule.Format(counter++, newName, room) : static_cast<int>(room);
      if (bytes >= static_cast<int>(room)) return {EntryFailure::kRename, ENAMETOOLONG, {}, {}};
      free = directory.Exists(newName) != 1;
      for (size_t i = 0; i < companions.size(); ++i) {
        companionNames[i] = CompanionName(companions[i], newName, bytes - 1 - kindBytes);
        if (companionNames[i].size() > kMaxNameBytes) {
          return {EntryFailure::kRename, ENAMETOOLONG, companions[i].name, companionNames[i]};
        }
        free = free && directory.Exists(companionNames[i].c_str()) != 1;
      }
    }
    if (log.IsOpen() && !RecordRename(log, directory, group.picture, newName)) return {EntryFailure::kLog, errno ? errno : EIO, {}, {}};
    const int error = directory.Rename(group.picture, newName);
    if (error != 0) {
      if (log.IsOpen()) log.TakeBack();
      if (error == EEXIST) continue;
      return {EntryFailure::kRename, error, {}, {}};
    }
    for (size_t i = 0; i < companions.size(); ++i) {
      const char* from = companions[i].name;
      const char* to = companionNames[i].c_str();
      if (log.IsOpen() && !RecordRename(log, directory, from, to)) return {EntryFailure::kLog, errno ? errno : EIO, from, to};
      if (const int companionError = directory.Rename(from, to)) {
        if (log.IsOpen()) log.TakeBack();
        return {EntryFailure::kRename, companionError, from, to};
      }
    }
    return {};
  }
  return {EntryFailure::kRename, EEXIST, {}, {}};
}

}  // namespace

void RenumberDialog::TakeExtension(const PassPlan& plan) {
  if (*plan.extension) std::snprintf(results.currentExtension, sizeof results.currentExtension, "%s", plan.extension);
}

bool RenumberDialog::OpenForRun(const PassPlan& plan, std::unique_ptr<RunDirectory>& directory) {
  const int error = Files().OpenRunDirectory(plan.directory, directory);
  if (error == 0) return true;
  ShowError(error == EWOULDBLOCK ? std::string("Another run is renumbering this directory.")
                                 : std::string("Could not read the directory ") +
                                       (*plan.directory ? plan.directory : ".") + ": " + SystemReason(error));
  return false;
}

PassOutcome RenumberDialog::Pass(const PassPlan& planAsMade, PassKind pass, RunDirectory& runDirectory) {
  PassPlan plan = planAsMade;
  TakeExtension(plan);
  const char* directory = plan.directory;
  const NewNameRule rule = plan.NameRule(options);

  // Every entry is listed and the kind is told by the pass itself: the
  // extension is literal text whatever "*" or "?" it holds, and its case
  // of letters does not matter.
  const bool keepLog = options.keepLog == 1;
  ListedNames names;
  {
    FileList list;
    list.LoadNames(directory, "*");  // the pass reads nothing but names
    names = CollectNames(list, plan.kinds, keepLog, options.companions == 1);
  }
  SpellKindsAsTheDirectory(plan, names.names);
  const long count = static_cast<long>(names.names.size());
  if (count == 0) {
    std::string kinds;
    for (const auto& kind : plan.kinds) kinds += (kinds.empty() ? "." : " or .") + kind;
    ShowError(Explained("Could not find at least one file.",
                        std::string("No entry of ") + (*directory ? directory : "the current directory") +
                            " ends in " + kinds + "."));
    return PassOutcome::kRefused;
  }

  // Entries are renamed by their bare names in the open directory.
  char newName[kMaxNameBytes + 1];
  if (names.longest > kMaxNameBytes) {
    ShowError(kOldNameTooLong);
    return PassOutcome::kRefused;
  }
  // Names only grow with their numbers, and every entry needs one at least
  // as high as its place in the list.
  for (size_t kind = 0; kind < plan.kinds.size(); ++kind) {
    if (plan.NameRule(options, kind).Format(count, newName, sizeof newName) >= static_cast<int>(sizeof newName)) {
      ShowError(kNewNameTooLong);
      return PassOutcome::kRefused;
    }
  }
  // So do a companion's, which keeps the rest of its own name.
  if (names.companions > 0) {
    const LongestCompanionName longest = LongestNewCompanionName(names, plan, options, count);
    if (longest.bytes > kMaxNameBytes) {
      ShowError(Explained(kNewNameTooLong, "The companion \"" + std::string(longest.companion) +
                                               "\" would get a name of " + std::to_string(longest.bytes) +
                                               " bytes. Nothing was renamed: shorten its name, or renumber "
                                               "without companions."));
      return PassOutcome::kRefused;
    }
  }
  rule.Format(count, newName, sizeof newName);  // the longest name of the named kind, for the log's test

  // Undo reads each line back into its two names: a name the line cannot
  // hold exactly is refused before anything is renamed.
  const std::string logPath = JoinPath(directory, kLogFileName);
  if (keepLog) {
    const char* unloggable = names.unloggable;
    if (!unloggable && !FitsOnLogLine(newName)) unloggable = newName;
    if (!unloggable && !FitsOnLogLine(directory)) unloggable = directory;
    if (unloggable) {
      ShowError(Explained(kCannotWriteLog, "The name \"" + std::string(unloggable) +
                                               "\" holds a line break or the log's arrow, so its line could not be "
                                               "read back. Nothing was renamed: rename that file first, or "
                                               "renumber without a log."));
      return PassOutcome::kRefused;
    }
  }

  OrderListedNames(names, directory, options.order, {options.videoClock, options.clockShifts}, pass, onOrdered);

  RenameLogFile log;
  if (keepLog) {
    const auto header = [&] { return HeaderOfRule(rule, directory); };
    if (const int error = log.Open(runDirectory, directory, pass == PassKind::kSecond, header)) {
      ShowError(Explained(kCannotWriteLog, logPath + ": " + LogOpenReason(error) + ". Nothing was renamed."));
      return PassOutcome::kRefused;
    }
  }

  PassOutcome outcome = PassOutcome::kDone;
  results.renamedCount = 0;
  progress_->Started(pass == PassKind::kSecond ? 2 : 1, count);
  int32_t counter = 1;
  // A picture's group, when it has companions.
  const auto groupOf = [&groups = names.groups](const char* picture) -> const PictureGroup* {
    const auto at = std::lower_bound(groups.begin(), groups.end(), picture, [](const PictureGroup& group, const char* p) {
      return std::less<const char*>()(group.picture, p);
    });
    return at != groups.end() && at->picture == picture ? &*at : nullptr;
  };
  for (const PictureGroup& group : names.groups) {
    if (onCompanion) {
      for (const Companion& companion : group.Companions()) onCompanion(group.picture, companion.name);
    }
  }
  std::vector<std::string> companionNames;
  if (pass == PassKind::kFirst) {
    namesOfNumberOne_.clear();
    for (size_t kind = 0; kind < plan.kinds.size(); ++kind) {
      plan.NameRule(options, kind).Format(1, newName, sizeof newName);  // fits: so does the name of `count`
      namesOfNumberOne_.push_back(newName);
    }
    // A group takes a number only where all its names are free.
    if (const PictureGroup* first = groupOf(names.names.front())) {
      const PictureGroup& group = *first;
      const int bytes = plan.NameRule(options, group.kind).Format(1, newName, sizeof newName);
      for (const Companion& companion : group.Companions()) {
        namesOfNumberOne_.push_back(CompanionName(companion, newName, bytes - 1 - plan.kinds[group.kind].size()));
      }
    }
  }
  for (const char* entryName : names.names) {
    progress_->Renaming(results.renamedCount);
    const PictureGroup* group = names.groups.empty() ? nullptr : groupOf(entryName);
    const EntryOutcome entryOutcome =
        group ? RenameGroupToNextFreeNumber(runDirectory, plan.NameRule(options, group->kind), *group, counter, log,
                                            newName, sizeof newName, companionNames)
        : plan.kinds.size() == 1
            ? RenameToNextFreeName(runDirectory, rule, entryName, counter, log, newName, sizeof newName)
            : RenameToNextFreeName(runDirectory, plan.NameRule(options, KindIndex(entryName, plan.kinds)), entryName,
                                   counter, log, newName, sizeof newName);
    if (entryOutcome.failure != EntryFailure::kNone) {
      const bool logFailed = entryOutcome.failure == EntryFailure::kLog;
      const bool ofCompanion = !entryOutcome.companion.empty();
      const std::string what =
          logFailed ? logPath + ": " + SystemReason(entryOutcome.error)
                    : "Could not rename " + std::string(directory) +
                          (ofCompanion ? entryOutcome.companion : std::string(entryName)) + " to " + directory +
                          (ofCompanion ? entryOutcome.companionNewName : std::string(newName)) + ": " +
                          SystemReason(entryOutcome.error);
      // A rehearsal renamed nothing on disk.
      ShowError(Explained(logFailed ? kCannotWriteLog : kCannotRename,
                          what + ". " +
                              (rehearsing_ ? RenamedSoFar(0, PassKind::kFirst, keepLog, directory)
                                           : RenamedSoFar(results.renamedCount, pass, keepLog, directory))));
      outcome = PassOutcome::kStoppedEarly;
      break;
    }
    ++results.renamedCount;
  }
  progress_->Finished(results.renamedCount);
  return outcome;
}

int RenumberDialog::RenumberFiles(PassKind pass) {
  const PassPlan plan = MakePassPlan(options);
  std::unique_ptr<RunDirectory> directory;
  if (plan.Refused()) {
    TakeExtension(plan);
    ShowError(plan.refusal);
    lastPassOutcome_ = PassOutcome::kRefused;
  } else if (!OpenForRun(plan, directory)) {
    lastPassOutcome_ = PassOutcome::kRefused;
  } else {
    lastPassOutcome_ = Pass(plan, pass, *directory);
  }
  return lastPassOutcome_ == PassOutcome::kRefused ? 0 : 1;
}
