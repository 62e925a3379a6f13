#pragma once
// The window menu's preview and undo, on the window and the dialogs they
// are given: what a run on the fields would do, and taking back what the
// directory's logged runs did. The main dialog calls them; they know
// nothing of it.

#include <string>

#include "platform/dialog/DialogFactory.h"
#include "platform/dialog/DialogWindow.h"
#include "renumber/RunOptions.h"

// The captions of the two commands' dialogs and message boxes.
constexpr char kPreviewCaption[] = "Preview the renames";
constexpr char kUndoCaption[] = "Undo the last run";

// Whether `path` names a file; when not, a message titled `command` says
// how to name one.
bool NamesAFile(DialogWindow& window, const std::string& path, const char* command, const char* need);

// Lists the renames a run on `options` would make in the preview dialog.
// True when the user chose "Go For It!" there; false when the dialog was
// closed or the run would not go through (its own message has said why).
bool PreviewRun(DialogWindow& window, DialogFactory& dialogs, const RunOptions& options);

// Takes back the renames `directory`'s renum.log records, once the user
// has seen them listed in the preview dialog and confirmed; each outcome
// in a message box with the command's caption, and on the status line.
void UndoLoggedRuns(DialogWindow& window, DialogFactory& dialogs, const std::string& directory);
