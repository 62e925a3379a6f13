// The "Go For It!" command: from the dialog's fields to renamed files, the
// slideshow pages of a picture run, the viewer and the outcome.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "fsystem/FSystem.h"
#include "platform/os/ErrorText.h"
#include "platform/os/FileServices.h"
#include "renumber/ControlIds.h"
#include "renumber/NameRules.h"
#include "renumber/PassPlan.h"
#include "renumber/RenameLog.h"
#include "renumber/RenumberDialog.h"
#include "viewer/ViewerPages.h"

namespace {

const char kRenumbered[] = "Directory renumbered.";
const char kRenumberedCustomize[] =
    "Directory renumbered.  To use the viewer, you must customize the folder now.  Go into explorer, click on the "
    "directory that has been renumbered, then click on 'View', then 'Customize this folder'.  Follow the defaults "
    "and close the folder.htt file when it appears.";
const char kNothingToRename[] = "Nothing to rename: the directory is already numbered.";
const char kDoneWithNothingToRename[] = "Done.  Nothing to rename: the directory is already numbered.";
const char kNameOneFile[] = "Name one file of the kind to renumber.";

}  // namespace

RunOutcome RenumberDialog::FailureEnding() {
  window_.SetDlgItemText(kStatusLine, "Error.");
  return RunOutcome::kFailed;
}

RunOutcome RenumberDialog::RunRenumber() {
  if (!UpdateData(1)) return RunOutcome::kNotStarted;
  return RunOnFields();
}

RunOutcome RenumberDialog::RunOnFields() {
  // An empty field is no run: nothing is reported as failed, and the status
  // line keeps the outcome of the run before.
  if (options.pathText.empty()) {
    ShowError(kNameOneFile);
    return RunOutcome::kNotStarted;
  }
  window_.SetDlgItemText(kStatusLine, "Working...");
  window_.SetDlgItemText(kCountLine, "");
  window_.PumpMessages();

  // The exchange has held the path to its limit, so the copy is whole.
  char pathCopy[kMaxPathText + 1];
  std::snprintf(pathCopy, sizeof pathCopy, "%s", options.pathText.c_str());
  if (FileExists(pathCopy) == 0) {
    ShowError(Explained("File does not exist.", std::string(pathCopy) + ": " + SystemReason(ENOENT)));
    return FailureEnding();
  }
  // A directory is no file of a kind: its name and its siblings' would be
  // renumbered instead of the files in it.
  if (Files().IsDirectory(pathCopy) == 1) {
    ShowError(std::string(pathCopy) + " names a directory; name one file of the kind to renumber.");
    return FailureEnding();
  }

  const PassPlan plan = MakePassPlan(options);
  if (plan.Refused()) {
    TakeExtension(plan);
    ShowError(plan.refusal);
    return FailureEnding();
  }
  // The directory is opened once for the run, and locked: one run (or
  // undo) at a time per directory, as two at once would take each other's
  // names and write one log over the other.
  const char* directory = plan.directory;
  std::unique_ptr<RunDirectory> runDirectory;
  if (!OpenForRun(plan, runDirectory)) return FailureEnding();

  // The passes decide every entry's name, on a picture of the directory;
  // on disk only the difference is made. A stop, before renaming or at a
  // failure, has shown its message: the run must not go on as if the
  // directory were renumbered.
  // A directory whose log records runs not undone keeps its log true: this
  // run adds to it, asked or not, so undo can walk back through every run.
  // Anything but a log of the program's own under that name is left alone.
  const int keepLogAsked = options.keepLog;
  if (options.keepLog != 1 && runDirectory->Exists(kLogFileName) == 1) {
    if (FILE* log = runDirectory->OpenOwnFile(kLogFileName, "rb")) {
      std::fclose(log);
      options.keepLog = 1;
    }
  }
  const bool renumbered = RenumberAsPlanned(plan, *runDirectory);
  options.keepLog = keepLogAsked;
  if (!renumbered) return FailureEnding();

  // Numbers wider than asked for are made as asked (the names stay whole),
  // and the outcome says so.
  const std::string note = LongerNumbersNote(plan.width, results.renamedCount);
  const bool pictureRun = IsPictureExtension(results.currentExtension);
  const PageFields pageFields{options.digitsText, options.prefixText, options.suffixText, options.secondsText,
                              options.includeFileList};
  const PageOptions pageOptions{pageFields, results.renamedCount, results.currentExtension};
  if (options.applyViewer == 1 && pictureRun && !WriteFolderTemplate(directory, pageOptions, window_)) {
    return FailureEnding();
  }
  if (options.viewAfterRun == 1 && pictureRun) {
    if (!WriteSlideshowPage(directory, pageOptions, window_)) return FailureEnding();
    // The page's path is the viewer's one argument, whatever characters it holds.
    const std::string page = JoinPath(directory, "KavoViewer.html");
    if (const int error = launcher_.Start(viewerPath.c_str(), page.c_str())) {
      ShowError(Explained(std::string("Could not start the viewer ") + viewerPath + ": " +
                              SystemReason(error),
                          "The directory was renumbered and " + page + " written; choose another viewer to open it."));
      return FailureEnding();
    }
    if (!note.empty()) window_.MessageBox(note.c_str(), "Good work.", kMessageOk);
  } else {
    // One outcome: a directory already numbered was not renumbered.
    std::string outcome = options.applyViewer == 1 ? kRenumberedCustomize : kRenumbered;
    if (renamesMade == 0) outcome.replace(0, std::strlen(kRenumbered), kNothingToRename);
    window_.MessageBox(Explained(outcome, note).c_str(), "Good work.", kMessageOk);
  }

  window_.SetDlgItemText(kPathField, "");
  window_.SetDlgItemText(kStatusLine, renamesMade == 0 ? kDoneWithNothingToRename : "Done.");
  window_.PumpMessages();
  return RunOutcome::kSucceeded;
}
