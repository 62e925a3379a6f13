// The window menu's preview and undo: what a run on the fields would do,
// and taking back what the directory's last logged run did.

#include <memory>
#include <string>

#include "app/DialogTemplates.h"
#include "app/MainDialog.h"
#include "app/PreviewDialog.h"
#include "fsystem/PathHelpers.h"
#include "platform/os/FileServices.h"
#include "renumber/ControlIds.h"
#include "renumber/RenameLog.h"
#include "renumber/RenamePreview.h"
#include "renumber/UndoRenames.h"

namespace {

constexpr char kPreviewCaption[] = "Preview the renames";
constexpr char kUndoCaption[] = "Undo the last run";

// "the 1 rename", "the 3 renames".
std::string TheRenames(int count) { return "the " + std::to_string(count) + (count == 1 ? " rename" : " renames"); }

}  // namespace

bool MainDialog::NamesAFile(const std::string& path, const char* command, const char* need) {
  if (!path.empty() && Files().Exists(path.c_str()) == 1 && Files().IsDirectory(path.c_str()) != 1) return true;
  const std::string text = "Name one file " + std::string(need) +
                           " first: type its path, use Browse, or drop the file onto the window.";
  Window().MessageBox(text.c_str(), command, kMessageInformation);
  return false;
}

void MainDialog::OnPreview() {
  if (!UpdateData(1)) return;
  if (!NamesAFile(options.pathText, kPreviewCaption, "of the kind to renumber")) return;
  options.order = settings.order;
  // A run that would not go through has said why, as "Go For It!" would.
  options.clockShifts = settings.clockShifts;
  // Ordered by time, each rename shows the time it was ordered by.
  const RenamePreview preview = PreviewRenames(options, Window(), options.order != NumberingOrder::kName);
  if (preview.outcome != RunOutcome::kSucceeded) return;

  const std::unique_ptr<DialogWindow> window = dialogs_.Create(PreviewDialogTemplate());
  PreviewDialog previewDialog(*window, preview);
  if (window->DoModal(previewDialog) != kGoButton) return;
  // The fields are the ones previewed: the preview held the window.
  RunAlone([this] { return RunOnFields(); });
}

void MainDialog::OnUndo() {
  // Once a run has emptied the path field, its directory is the one to undo.
  const std::string path = Window().GetDlgItemText(kPathField);
  std::string directory;
  if (path.empty() && !lastRunDirectory_.empty()) {
    directory = lastRunDirectory_;
  } else if (NamesAFile(path, kUndoCaption, "of the directory whose last run to take back")) {
    directory = DirectoryOf(path.c_str());
  } else {
    return;
  }
  const std::string log = directory + kLogFileName;
  if (Files().Exists(log.c_str()) != 1) {
    const std::string text = (directory.empty() ? std::string("This directory") : directory) +
                             " holds no renum.log, so there is no run to take back: a run keeps one when \"Keep a "
                             "log\" is checked.";
    Window().MessageBox(text.c_str(), kUndoCaption, kMessageInformation);
    return;
  }

  const UndoOutcome counted = RenamesToUndo(directory);
  if (!counted.succeeded) {
    Window().MessageBox(counted.message.c_str(), "Error", kMessageStop);
    return;
  }
  if (counted.reversed > 0) {
    const std::string question = "Take back " + TheRenames(counted.reversed) + " recorded in " + log +
                                 "? Each file gets back the name it had before the run.";
    if (Window().MessageBox(question.c_str(), kUndoCaption, kMessageYesNo | kMessageQuestion) != kIdYes) return;
  }
  // The messages of the command line's undo.
  const UndoOutcome outcome = UndoRenames(directory);
  if (!outcome.succeeded) {
    Window().MessageBox(outcome.message.c_str(), "Error", kMessageStop);
  } else if (outcome.reversed == 0) {
    Window().MessageBox(outcome.message.c_str(), kUndoCaption, kMessageInformation);
  } else {
    Window().MessageBox(outcome.message.c_str(), "Good work.", kMessageOk);
  }
}
