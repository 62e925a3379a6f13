// The renumbering pass: one walk over a directory listing that renames every
// entry to the next free numbered name.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
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

// The listed names of the run's kind in list order, in the list's own
// packed text: the rename loop reads them straight through.
struct ListedNames {
  std::vector<const char*> names;
  size_t longest = 0;                // bytes of the longest name
  const char* unloggable = nullptr;  // the first name a log line cannot hold, if any
};

// The names that end in "." and `extension` (literal text, any case of
// letters), leaving out the run's own log when it is kept.
ListedNames CollectNames(const FileList& list, const char* extension, bool keepLog) {
  ListedNames listed;
  for (const char* name : list.Names()) {
    if (!HasExtension(name, extension) || (keepLog && IsTheLog(name))) continue;
    if (!listed.unloggable && !FitsOnLogLine(name)) listed.unloggable = name;
    listed.longest = std::max(listed.longest, std::strlen(name));
    listed.names.push_back(name);
  }
  return listed;
}

// Puts the listed names into the numbering order and tells `onOrdered` what
// each was ordered by. The second pass keeps name order: it lists the names
// the first pass gave, whose numbers already stand in the chosen order.
void OrderListedNames(ListedNames& names, const char* directory, NumberingOrder order, PassKind pass,
                      const std::function<void(const char*, const std::string&)>& onOrdered) {
  if (pass == PassKind::kSecond) order = NumberingOrder::kName;
  if (order == NumberingOrder::kName && !onOrdered) return;
  std::vector<FileTime> times;
  PutInNumberingOrder(names.names, directory, order, &times);
  if (!onOrdered) return;
  for (size_t i = 0; i < names.names.size(); ++i) {
    onOrdered(names.names[i], order == NumberingOrder::kName ? "name" : DescribeOrderedBy(times[i], order));
  }
}

enum class EntryFailure { kNone, kRename, kLog };
struct EntryOutcome {
  EntryFailure failure = EntryFailure::kNone;
  int error = 0;  // the errno value of the failure
};

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
    if (!fits) return {EntryFailure::kRename, ENAMETOOLONG};

    if (log.IsOpen()) {
      FileIdentity identity;
      const bool known = directory.Identify(oldName, identity) == 0;
      if (!log.Record(oldName, newName, known ? &identity : nullptr)) return {EntryFailure::kLog, errno ? errno : EIO};
    }
    const int error = directory.Rename(oldName, newName);
    if (error == 0) return {};
    if (log.IsOpen()) log.TakeBack();
    if (error != EEXIST) return {EntryFailure::kRename, error};
    testFirst = true;
  }
  return {EntryFailure::kRename, EEXIST};
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

PassOutcome RenumberDialog::Pass(const PassPlan& plan, PassKind pass, RunDirectory& runDirectory) {
  TakeExtension(plan);
  const char* directory = plan.directory;
  const NewNameRule rule = plan.NameRule(options);

  // Every entry is listed and the kind is told by the pass itself: the
  // extension is literal text whatever "*" or "?" it holds, and its case
  // of letters does not matter.
  FileList list;
  list.LoadNames(directory, "*");  // the pass reads nothing but names
  const bool keepLog = options.keepLog == 1;
  ListedNames names = CollectNames(list, plan.extension, keepLog);
  const long count = static_cast<long>(names.names.size());
  if (count == 0) {
    ShowError(Explained("Could not find at least one file.",
                        std::string("No entry of ") + (*directory ? directory : "the current directory") +
                            " ends in ." + plan.extension + "."));
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
  if (rule.Format(count, newName, sizeof newName) >= static_cast<int>(sizeof newName)) {
    ShowError(kNewNameTooLong);
    return PassOutcome::kRefused;
  }

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

  OrderListedNames(names, directory, options.order, pass, onOrdered);

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
  for (const char* entryName : names.names) {
    progress_->Renaming(results.renamedCount);
    const EntryOutcome entryOutcome =
        RenameToNextFreeName(runDirectory, rule, entryName, counter, log, newName, sizeof newName);
    if (entryOutcome.failure != EntryFailure::kNone) {
      const bool logFailed = entryOutcome.failure == EntryFailure::kLog;
      const std::string what = logFailed ? logPath + ": " + SystemReason(entryOutcome.error)
                                         : "Could not rename " + std::string(directory) + entryName + " to " +
                                               directory + newName + ": " + SystemReason(entryOutcome.error);
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
