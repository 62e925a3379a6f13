#pragma once
// The file dialog as Qt's own QFileDialog (never the desktop's native one,
// so that it behaves the same everywhere and tests can answer it), modal over
// the active dialog. The program puts it in force at start:
//   QtFileDialogs fileDialogs;
//   ScopedFileDialogs inForce(fileDialogs);
//
// The request's filter becomes the dialog's choices (see FileDialogFilter.h),
// the first selected; it opens in the request's initial directory, or in the
// current directory when that is empty or names no directory.

#include "platform/dialog/FileDialogService.h"

class QtFileDialogs : public FileDialogService {
 public:
  bool Choose(const FileDialogRequest& request, std::string& chosenPath) override;
};
