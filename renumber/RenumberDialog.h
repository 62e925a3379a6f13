#pragma once
// The main dialog's logic: its fields and the commands that work on them,
// on whatever window implements DialogWindow (Qt, console or headless).

#include <cstdint>

#include "platform/DialogWindow.h"
#include "platform/RunOptions.h"

// Values the whole program shares. A pass sets both; the run and the viewer
// pages read them afterwards.
struct ProgramValues {
  char currentExtension[8] = "";  // the latest pass's extension, without its dot
  int32_t renamedCount = 0;       // files renamed by the latest pass that began renaming
};

// Which pass of a run: the first starts renum.log afresh, the second adds
// to it, so the log holds every rename of the run.
enum class PassKind { kFirst, kSecond };

class RenumberDialog {
 public:
  explicit RenumberDialog(DialogWindow& window) : window_(window) {}

  // One renumbering pass over the directory of options.pathText: every entry
  // matching "*." and the extension is renamed, in listing order, to the
  // next free new name. Returns 1 when it reached its renaming loop (also
  // when a rename failed there), 0 when it stopped before with a message.
  int RenumberFiles(PassKind pass = PassKind::kFirst);

  // Whether the latest pass stopped at a rename that failed.
  bool LastPassStoppedAtFailedRename() const { return lastPassStoppedAtFailedRename_; }

  RunOptions options;
  ProgramValues program;

 private:
  void ShowError(const char* text);

  DialogWindow& window_;
  bool lastPassStoppedAtFailedRename_ = false;
};
