#pragma once
// The main dialog's logic: its fields and the commands that work on them,
// on whatever window implements DialogWindow (Qt, console or headless).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog/DialogWindow.h"
#include "platform/os/ProgramLauncher.h"
#include "platform/os/RunDirectory.h"
#include "renumber/RunOptions.h"
#include "renumber/CountLineProgress.h"
#include "renumber/PassProgress.h"
#include "renumber/RenamePlan.h"

class DataExchange;
class RenameLogFile;
struct PassPlan;

// What the latest pass left behind, which the run and the viewer pages
// read afterwards.
struct PassResults {
  char currentExtension[8] = "";  // the latest pass's extension, without its dot
  int32_t renamedCount = 0;       // files renamed by the latest pass that began renaming
};

// Which pass of a run: the first starts renum.log afresh, the second adds
// to it, so the log holds every rename of the run.
enum class PassKind { kFirst, kSecond };

// How one pass ended.
enum class PassOutcome {
  kRefused,       // it stopped before renaming anything, with a message
  kStoppedEarly,  // a rename or a log line failed part-way; a message said which
  kDone,          // every listed entry was renamed
};

// How a "Go For It!" run ended.
enum class RunOutcome {
  kNotStarted,  // a field was over its limit; the window system said so
  kFailed,      // a message said why; the status line reads "Error."
  kSucceeded,   // the status line reads "Done."
};

class RenumberDialog {
 public:
  explicit RenumberDialog(DialogWindow& window, ProgramLauncher& launcher = SystemLauncher())
      : window_(window), launcher_(launcher), countLine_(window), progress_(&countLine_) {}

  // Where the passes report their progress; the count line unless told
  // otherwise. `progress` must outlive the dialog's runs.
  void ReportProgressTo(PassProgress& progress) { progress_ = &progress; }

  // Pairs the fields with their controls, in the order of validation.
  void DoDataExchange(DataExchange& exchange);
  // 0: fields into the controls; 1: controls into the fields, checking the
  // limits. Returns 0 when a field was over its limit.
  int UpdateData(int saveAndValidate);

  // The "Go For It!" command: the controls into the fields (refusing a
  // field over its limit), then the run on the fields.
  RunOutcome RunRenumber();
  // The run on the fields as they stand: one or two passes, the pages of a
  // picture run, the viewer, the outcome message and the status line.
  RunOutcome RunOnFields();

  // One renumbering pass over the plan's directory: every entry whose name
  // ends in "." and the extension is renamed, in listing order, to the next
  // free new name.
  PassOutcome Pass(const PassPlan& plan, PassKind pass, RunDirectory& directory);

  // The same pass on a plan made from the fields. Returns 1 when it reached
  // its renaming loop (also when a rename failed there), 0 when it stopped
  // before with a message.
  int RenumberFiles(PassKind pass = PassKind::kFirst);

  // Whether the latest RenumberFiles stopped early, at a rename or a log
  // line that failed (it has said so): what it left is not a renumbered
  // directory.
  bool LastPassFailed() const { return lastPassOutcome_ == PassOutcome::kStoppedEarly; }

  // The names number 1 stands for after the latest first pass: the name of
  // 1 of every kind, and the names the group numbered first would take at
  // 1. Number 1 is free, and a second pass numbers again from it, when none
  // of them is taken.
  const std::vector<std::string>& NamesOfNumberOne() const { return namesOfNumberOne_; }

  DialogWindow& Window() { return window_; }

  RunOptions options;
  PassResults results;
  // The renames the latest run made on disk: what the count line counts.
  long renamesMade = 0;
  // The program that opens the slideshow page; the window's settings, or
  // the command line, say which.
  std::string viewerPath = kDefaultViewer;
  // Told, when set, what each name a pass is about to rename was ordered
  // by (DescribeOrderedBy), in the pass's order: a dry run explains itself.
  std::function<void(const char* name, const std::string& orderedBy)> onOrdered;
  // Told, when set, each companion a pass found and the picture whose
  // number it takes, by their names as the pass listed them.
  std::function<void(const char* picture, const char* companion)> onCompanion;

 private:
  void ShowError(const std::string& text);
  // Sets currentExtension from a plan that got as far as the extension.
  void TakeExtension(const PassPlan& plan);
  // Opens and locks the plan's directory for the run; false after a message.
  bool OpenForRun(const PassPlan& plan, std::unique_ptr<RunDirectory>& directory);
  RunOutcome FailureEnding();

  // How carrying out a plan of renames ended.
  enum class CarryOutcome {
    kDone,
    kNameTaken,  // a name planned to be free was taken meanwhile; nothing replaced
    kFailed,     // a rename or a log line failed; a message said which
  };
  // Runs the passes as a run runs them (the first, the test of number 1,
  // the second), on a picture of the plan's directory read from the
  // services in force, and plans the renames that give every entry the
  // name they gave it. False after a message: a pass refused or stopped.
  bool Rehearse(const PassPlan& plan, std::optional<RenamePlan>& renames);
  // Makes the planned renames in `directory`, counting them in renamesMade.
  // With the log open, in growing batches: a batch's lines are made durable
  // before its renames, its renames before the next batch's lines.
  CarryOutcome CarryOut(const PassPlan& plan, const RenamePlan& renames, RunDirectory& directory, RenameLogFile& log);
  // Rehearses and carries out, and plans anew from the directory as it is
  // then when a name was taken meanwhile, a few times at most. False after
  // a message.
  bool RenumberAsPlanned(const PassPlan& plan, RunDirectory& directory);

  DialogWindow& window_;
  ProgramLauncher& launcher_;
  CountLineProgress countLine_;
  PassProgress* progress_;
  PassOutcome lastPassOutcome_ = PassOutcome::kDone;
  std::vector<std::string> namesOfNumberOne_;
  bool rehearsing_ = false;  // the passes run on a picture: nothing is renamed on disk
};
