#pragma once
// A pass's progress in the main dialog's count line: "   %ld" while it
// renames, "   %ld files." at the end, with the message pump around each
// text so the window stays alive.

#include "platform/dialog/DialogWindow.h"
#include "renumber/PassProgress.h"

class CountLineProgress : public PassProgress {
 public:
  explicit CountLineProgress(DialogWindow& window) : window_(window) {}
  void Started(int pass, long total) override;
  void Renaming(long renamed) override;
  void Finished(long renamed) override;

 private:
  DialogWindow& window_;
};
