#pragma once
// The documents a picture run can leave in the renumbered directory: the
// slideshow page "KavoViewer.html" and the folder template "Folder.htt",
// both carrying the slideshow script.

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/dialog/DialogWindow.h"

// The dialog's fields the documents read, as the run hands them over.
struct PageFields {
  std::string digitsText;   // width of the number
  std::string prefixText;   // text before the number
  std::string suffixText;   // text after the number
  std::string secondsText;  // the slideshow's Auto Sequence delay
  int includeFileList = 0;  // 1: Folder.htt carries the folder's file list
};

// What the documents read of a run: the dialog's fields, and what the
// latest pass left behind.
struct PageOptions {
  const PageFields& fields;
  int32_t renamedCount;
  const char* currentExtension;
};

// Writes the slideshow script section into an open stream.
void WriteSlideshowScript(FILE* stream, const PageOptions& options);

// Write "Folder.htt" / "KavoViewer.html" into `directory` (a directory text
// ending in its separator, or empty for the current directory), replacing
// an existing one. 1 when written; 0 when the file cannot be opened for
// writing, after an error message box on `window`.
int WriteFolderTemplate(const char* directory, const PageOptions& options, DialogWindow& window);
int WriteSlideshowPage(const char* directory, const PageOptions& options, DialogWindow& window);
