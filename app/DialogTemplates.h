#pragma once
// The program's dialogs as data.

#include "platform/dialog/DialogTemplate.h"

// The main dialog: the renumbering options, the slideshow options, the viewer
// choice, "Go For It!", the status frame and Exit.
const DialogTemplate& MainDialogTemplate();

// The About box: the icon, the program's name and version, OK.
const DialogTemplate& AboutDialogTemplate();

// The preview of a run: the directory, the renames, their count, "Go For
// It!" and Close.
const DialogTemplate& PreviewDialogTemplate();
