#pragma once
// The file dialog as the window system's own Open / Save As dialog
// (GetOpenFileNameW), modal over the active window. The program puts it in
// force at start:
//   Win32FileDialogs fileDialogs;
//   ScopedFileDialogs inForce(fileDialogs);
// The request's filter text is the dialog's own format with "|" for its NULs.

#include "platform/dialog/FileDialogService.h"

class Win32FileDialogs : public FileDialogService {
 public:
  bool Choose(const FileDialogRequest& request, std::string& chosenPath) override;
};

// Makes the window system's common controls ready in their current look
// (version 6, as the program's manifest asks); once, before the first window.
void InitializeWindowSystem();
