#include "app/PreviewAndUndo.h"

#include <memory>

#include "app/DialogTemplates.h"
#include "app/PreviewDialog.h"
#include "platform/os/FileServices.h"
#include "renumber/ControlIds.h"
#include "renumber/RenameLog.h"
#include "renumber/RenamePreview.h"
#include "renumber/UndoRenames.h"

namespace {

// "the 1 rename", "the 3 renames".
std::string TheRenames(size_t count) {
  return "the " + std::to_string(count) + (count == 1 ? " rename" : " renames");
}

// The undo's count line.
//   1 => "1 rename would be reversed."
//   3 => "3 renames would be reversed."
std::string UndoCountText(size_t renames) {
  return std::to_string(renames) + (renames == 1 ? " rename" : " renames") + " would be reversed.";
}

}  // namespace

bool NamesAFile(DialogWindow& window, const std::string& path, const char* command, const char* need) {
  if (!path.empty() && Files().Exists(path.c_str()) == 1 && Files().IsDirectory(path.c_str()) != 1) return true;
  const std::string text = "Name one file " + std::string(need) +
                           " first: type its path, use Browse, or drop the file onto the window.";
  window.MessageBox(text.c_str(), command, kMessageInformation);
  return false;
}

bool PreviewRun(DialogWindow& window, DialogFactory& dialogs, const RunOptions& options) {
  // A run that would not go through has said why, as "Go For It!" would.
  // Ordered by time, each rename shows the time it was ordered by.
  const RenamePreview preview = PreviewRenames(options, window, options.order != NumberingOrder::kName);
  if (preview.outcome != RunOutcome::kSucceeded) return false;
  const std::unique_ptr<DialogWindow> shown = dialogs.Create(PreviewDialogTemplate());
  PreviewDialog previewDialog(*shown, preview);
  return shown->DoModal(previewDialog) == kGoButton;
}

void UndoLoggedRuns(DialogWindow& window, DialogFactory& dialogs, const std::string& directory) {
  const std::string log = directory + kLogFileName;
  if (Files().Exists(log.c_str()) != 1) {
    const std::string text = (directory.empty() ? std::string("This directory") : directory) +
                             " holds no renum.log, so there is no run to take back: a run keeps one when \"Keep a "
                             "log\" is checked.";
    window.MessageBox(text.c_str(), kUndoCaption, kMessageInformation);
    return;
  }

  const UndoPreview planned = PreviewUndo(directory);
  if (!planned.outcome.succeeded) {
    window.MessageBox(planned.outcome.message.c_str(), "Error", kMessageStop);
    window.SetDlgItemText(kStatusLine, "Error.");
    return;
  }
  if (!planned.renames.empty()) {
    // The renames undo would make, listed as the preview lists a run's.
    RenamePreview listed;
    listed.outcome = RunOutcome::kSucceeded;
    listed.directory = planned.directory;
    listed.renames = planned.renames;
    const std::unique_ptr<DialogWindow> shown = dialogs.Create(PreviewDialogTemplate());
    PreviewDialog previewDialog(*shown, listed, UndoCountText(listed.renames.size()));
    if (shown->DoModal(previewDialog) != kGoButton) return;
    const std::string question = "Take back " + TheRenames(planned.renames.size()) + " recorded in " + log +
                                 "? Each file gets back the name it had before the run.";
    if (window.MessageBox(question.c_str(), kUndoCaption, kMessageYesNo | kMessageQuestion) != kIdYes) return;
  }
  // The messages of the command line's undo, under the command's name.
  const UndoOutcome outcome = UndoRenames(directory);
  if (!outcome.succeeded) {
    window.MessageBox(outcome.message.c_str(), "Error", kMessageStop);
    window.SetDlgItemText(kStatusLine, "Error.");
  } else {
    window.MessageBox(outcome.message.c_str(), kUndoCaption, outcome.reversed == 0 ? kMessageInformation : kMessageOk);
    window.SetDlgItemText(kStatusLine, "Done.");
  }
}
