#pragma once
// The program's two dialogs as data.

#include "platform/dialog/DialogTemplate.h"

// The main dialog: the renumbering options, the slideshow options, the viewer
// choice, "Go For It!", the status frame and Exit.
const DialogTemplate& MainDialogTemplate();

// The About box: the icon, the program's name and version, OK.
const DialogTemplate& AboutDialogTemplate();
