#pragma once
// The documents a picture run can leave in the renumbered directory: the
// slideshow page "KavoViewer.html" and the folder template "Folder.htt",
// both carrying the slideshow script.

#include <cstdint>
#include <cstdio>

#include "platform/dialog/DialogWindow.h"
#include "renumber/RunOptions.h"

// What the documents read of a run: the dialog's fields (seconds, digits,
// prefix, suffix, file list), and what the latest pass left behind.
struct PageOptions {
  const RunOptions& fields;
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
