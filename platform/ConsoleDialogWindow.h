#pragma once
// A dialog window for a command line: controls kept in memory, error
// message boxes on the error stream as "Error: <text>", other messages on the
// output stream, and one control (the count line) shown as progress on a
// terminal.

#include <cstdio>

#include "platform/StoredControlsWindow.h"

class ConsoleDialogWindow : public StoredControlsWindow {
 public:
  // `progressControl` is the control whose texts ("   %ld" while counting,
  // "   %ld files." at the end) become the progress display; with
  // `showProgress` false it shows nothing.
  ConsoleDialogWindow(FILE* out, FILE* err, int progressControl, bool showProgress)
      : out_(out), err_(err), progressControl_(progressControl), showProgress_(showProgress) {}

  void SetDlgItemText(int id, const char* text) override;
  int MessageBox(const char* text, const char* caption, int style) override;
  void PumpMessages() override {}
  void SetProgressTotal(long total, int pass) override {
    total_ = total;
    pass_ = pass;
  }

 private:
  void ShowProgress(const char* countText);

  FILE* out_;
  FILE* err_;
  int progressControl_;
  bool showProgress_;
  long total_ = 0;
  int pass_ = 1;
  long lastShownAt_ = -1;  // milliseconds, to draw at most ten times a second
  bool lineOpen_ = false;  // a progress line waits for its end
};
