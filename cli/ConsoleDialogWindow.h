#pragma once
// The command line's window: controls kept in memory, error message boxes
// on the error stream as "Error: <text>", other messages on the output
// stream, and the passes' progress as one line on a terminal.

#include <cstdint>
#include <cstdio>

#include "platform/dialog/StoredControlsWindow.h"
#include "renumber/PassProgress.h"

class ConsoleDialogWindow : public StoredControlsWindow, public PassProgress {
 public:
  // With `showProgress` false (no terminal, or --quiet) no progress is shown.
  ConsoleDialogWindow(FILE* out, FILE* err, bool showProgress) : out_(out), err_(err), showProgress_(showProgress) {}

  int MessageBox(const char* text, const char* caption, int style) override;
  void PumpMessages() override {}

  // "Renaming 120 of 400 files", redrawn at most ten times a second, then
  // "400 files renamed."; a pass renaming on its own says which it is
  // ("First pass: renaming 120 of 400 files").
  void Started(int pass, long total) override;
  void Renaming(long renamed) override;
  void Finished(long renamed) override;

 private:
  void EndOpenLine();

  FILE* out_;
  FILE* err_;
  bool showProgress_;
  const char* passName_ = "";  // "First pass: " or "Second pass: " for a pass on its own
  long total_ = 0;
  int64_t lastShownAt_ = -1;  // milliseconds, to draw at most ten times a second
  bool lineOpen_ = false;  // a progress line waits for its end
};
