// A run's renames: the passes decide every entry's name on a picture of the
// directory, and only the difference is made on disk, each rename logged
// before it is made.

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fsystem/FSystem.h"
#include "platform/os/ErrorText.h"
#include "platform/os/SimulatedFileServices.h"
#include "renumber/NameRules.h"
#include "renumber/PassMessages.h"
#include "renumber/PassPlan.h"
#include "renumber/RenameLog.h"
#include "renumber/RenameLogFile.h"
#include "renumber/RenamePlan.h"
#include "renumber/RenumberDialog.h"

namespace {

// A directory that keeps changing under the run is planned anew this many
// times, then the run stops like at any failed rename.
constexpr int kMostPlans = 5;

// With the log, renames are made in batches, each one's lines made durable
// before its renames and its renames before the next batch's lines: a
// batch doubles from the first size to the largest, so a small run costs a
// sync or two and 100,000 renames a few dozen.
constexpr size_t kFirstBatch = 64;
constexpr size_t kLargestBatch = 4096;

// The passes of a rehearsal show nothing, but the window stays alive: its
// messages are delivered every so many entries.
class RehearsalProgress : public PassProgress {
 public:
  explicit RehearsalProgress(DialogWindow& window) : window_(window) {}
  void Started(int, long) override { window_.PumpMessages(); }
  void Renaming(long renamed) override {
    if (renamed % 4096 == 0) window_.PumpMessages();
  }
  void Finished(long) override { window_.PumpMessages(); }

 private:
  DialogWindow& window_;
};

// Puts a progress display in place for as long as it lives.
class ScopedProgress {
 public:
  ScopedProgress(PassProgress*& inPlace, PassProgress& replacement) : inPlace_(inPlace), previous_(inPlace) {
    inPlace_ = &replacement;
  }
  ~ScopedProgress() { inPlace_ = previous_; }
  ScopedProgress(const ScopedProgress&) = delete;
  ScopedProgress& operator=(const ScopedProgress&) = delete;

 private:
  PassProgress*& inPlace_;
  PassProgress* previous_;
};

}  // namespace

bool RenumberDialog::Rehearse(const PassPlan& plan, std::optional<RenamePlan>& renames) {
  // The picture is read from the services in force, the real ones or a dry
  // run's; the passes then work on it alone.
  SimulatedFileServices pictures;
  std::unique_ptr<RunDirectory> pictured;
  if (const int error = pictures.OpenRunDirectory(plan.directory, pictured)) {
    ShowError(std::string("Could not read the directory ") + (*plan.directory ? plan.directory : ".") + ": " +
              SystemReason(error));
    return false;
  }
  {
    ScopedFileServices inPicture(pictures);
    RehearsalProgress quiet(window_);
    ScopedProgress progress(progress_, quiet);
    rehearsing_ = true;
    // Number 1 is free after the first pass only when an entry held it
    // before and moved up: the directory was numbered before, so it is
    // numbered again.
    bool passed = Pass(plan, PassKind::kFirst, *pictured) == PassOutcome::kDone;
    bool firstFree = passed;
    for (const std::string& name : NamesOfNumberOne()) firstFree = firstFree && pictured->Exists(name.c_str()) == 0;
    if (firstFree) {
      // What a file was ordered by, and whose companion it is, are the first
      // pass's word: the second numbers the first one's names in name order.
      const auto told = onOrdered;
      const auto toldCompanions = onCompanion;
      onOrdered = nullptr;
      onCompanion = nullptr;
      passed = Pass(plan, PassKind::kSecond, *pictured) == PassOutcome::kDone;
      onOrdered = told;
      onCompanion = toldCompanions;
    }
    rehearsing_ = false;
    if (!passed) return false;
  }
  pictured.reset();
  renames.emplace(RenamePlan::Between(pictures.TakePicture(plan.directory), plan.extension));
  return true;
}

RenumberDialog::CarryOutcome RenumberDialog::CarryOut(const PassPlan& plan, const RenamePlan& renames,
                                                      RunDirectory& directory, RenameLogFile& log) {
  const char* directoryText = plan.directory;
  const std::string logPath = JoinPath(directoryText, kLogFileName);
  const auto logFailed = [&](int error) {
    ShowError(Explained(kCannotWriteLog, logPath + ": " + SystemReason(error ? error : EIO) + ". " +
                                             RenamedSoFar(renamesMade, PassKind::kFirst, true, directoryText)));
    return CarryOutcome::kFailed;
  };
  progress_->Started(0, renamesMade + static_cast<long>(renames.Size()));
  std::vector<RenameLogFile::Mark> lineStarts;
  size_t batch = kFirstBatch;
  for (size_t start = 0, end = 0; start < renames.Size(); start = end, batch = std::min(2 * batch, kLargestBatch)) {
    end = std::min(renames.Size(), start + batch);
    if (log.IsOpen()) {
      // Written ahead: the batch's lines are durable before any of its
      // renames is made.
      lineStarts.clear();
      for (size_t i = start; i < end; ++i) {
        lineStarts.push_back(log.End());
        FileIdentity identity;
        const bool known = directory.Identify(renames[i].from, identity) == 0;
        if (!log.Record(renames[i].from, renames[i].to, known ? &identity : nullptr, false)) return logFailed(errno);
      }
      if (const int error = log.MakeDurable()) {
        log.CutBackTo(lineStarts.front());
        return logFailed(error);
      }
    }
    for (size_t i = start; i < end; ++i) {
      progress_->Renaming(renamesMade);
      const PlannedRename rename = renames[i];
      const int error = directory.Rename(rename.from, rename.to);
      if (error != 0) {
        // This line and the batch's lines after it record renames not made.
        if (log.IsOpen()) log.CutBackTo(lineStarts[i - start]);
        // Taken since the directory was read: never replaced, planned anew.
        if (error == EEXIST) return CarryOutcome::kNameTaken;
        ShowError(Explained(kCannotRename, "Could not rename " + std::string(directoryText) + rename.from + " to " +
                                               directoryText + rename.to + ": " + SystemReason(error) + ". " +
                                               RenamedSoFar(renamesMade, PassKind::kFirst, log.IsOpen(), directoryText)));
        return CarryOutcome::kFailed;
      }
      ++renamesMade;
    }
    // The batch's renames are durable before the next batch's lines are
    // written, and the last batch's before the run says it is done.
    if (log.IsOpen()) {
      if (const int error = directory.Sync()) {
        ShowError(Explained(kCannotRename, "Could not make the renames in " +
                                               std::string(*directoryText ? directoryText : ".") +
                                               " durable: " + SystemReason(error) + ". " +
                                               RenamedSoFar(renamesMade, PassKind::kFirst, true, directoryText)));
        return CarryOutcome::kFailed;
      }
    }
  }
  return CarryOutcome::kDone;
}

bool RenumberDialog::RenumberAsPlanned(const PassPlan& plan, RunDirectory& directory) {
  renamesMade = 0;
  RenameLogFile log;
  CarryOutcome outcome = CarryOutcome::kNameTaken;
  for (int planned = 0; planned < kMostPlans && outcome == CarryOutcome::kNameTaken; ++planned) {
    std::optional<RenamePlan> renames;
    if (!Rehearse(plan, renames)) {
      if (planned > 0) progress_->Finished(renamesMade);
      return false;
    }
    // The log is opened once the passes have found something to rename, and
    // records every rename of the run, however often planned. An existing
    // log is added to: it records every run until they are undone.
    if (options.keepLog == 1 && !log.IsOpen() && renames->Size() > 0) {
      const auto header = [&] { return HeaderOfRule(plan.NameRule(options), plan.directory); };
      if (const int error = log.Open(directory, plan.directory, directory.Exists(kLogFileName) == 1, header)) {
        ShowError(Explained(kCannotWriteLog, std::string(JoinPath(plan.directory, kLogFileName)) + ": " + LogOpenReason(error) +
                                                 ". Nothing was renamed."));
        return false;
      }
    }
    outcome = CarryOut(plan, *renames, directory, log);
  }
  progress_->Finished(renamesMade);
  if (outcome == CarryOutcome::kNameTaken) {
    ShowError(Explained(kCannotRename, "The directory " + std::string(*plan.directory ? plan.directory : ".") +
                                           " kept changing while it was renumbered: a name planned to be free was "
                                           "taken each time, " + std::to_string(kMostPlans) + " times. " +
                                           RenamedSoFar(renamesMade, PassKind::kFirst, log.IsOpen(), plan.directory)));
  }
  return outcome == CarryOutcome::kDone;
}
