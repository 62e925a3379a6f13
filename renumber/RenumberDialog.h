#pragma once
// The main dialog's logic: its fields and the commands that work on them,
// on whatever window implements DialogWindow (Qt, console or headless).

#include <cstdint>

#include "platform/DialogWindow.h"
#include "platform/ProgramLauncher.h"
#include "platform/RunOptions.h"

class DataExchange;

// Values the whole program shares. The front end owns viewerPath,
// lastDirectory and settingsPath (kept in the settings file); a pass sets
// currentExtension and renamedCount, which the run and the viewer pages
// read afterwards.
struct ProgramValues {
  char viewerPath[201] = "xdg-open";  // the program that opens the slideshow page
  char lastDirectory[301] = "/";      // where Browse opens, with its trailing "/"
  char settingsPath[4110] = "";       // fixed at start: the user's Tarvine.ini; empty: none
  char currentExtension[8] = "";      // the latest pass's extension, without its dot
  int32_t renamedCount = 0;           // files renamed by the latest pass that began renaming
};

// Which pass of a run: the first starts renum.log afresh, the second adds
// to it, so the log holds every rename of the run.
enum class PassKind { kFirst, kSecond };

// How a "Go For It!" run ended.
enum class RunOutcome {
  kNotStarted,  // a field was over its limit; the window system said so
  kFailed,      // a message said why; the status line reads "Error."
  kSucceeded,   // the status line reads "Done."
};

class RenumberDialog {
 public:
  explicit RenumberDialog(DialogWindow& window, ProgramLauncher& launcher = SystemLauncher())
      : window_(window), launcher_(launcher) {}

  // Pairs the fields with their controls, in the order of validation.
  void DoDataExchange(DataExchange& exchange);
  // 0: fields into the controls; 1: controls into the fields, checking the
  // limits. Returns 0 when a field was over its limit.
  int UpdateData(int saveAndValidate);

  // The "Go For It!" command: one or two passes, the pages of a picture
  // run, the viewer, the outcome message and the status line.
  RunOutcome RunRenumber();

  // One renumbering pass over the directory of options.pathText: every entry
  // matching "*." and the extension is renamed, in listing order, to the
  // next free new name. Returns 1 when it reached its renaming loop (also
  // when a rename failed there), 0 when it stopped before with a message.
  int RenumberFiles(PassKind pass = PassKind::kFirst);

  // Whether the latest pass stopped early, at a rename or a log line that
  // failed (it has said so): what it left is not a renumbered directory.
  bool LastPassFailed() const { return lastPassFailed_; }

  DialogWindow& Window() { return window_; }

  RunOptions options;
  ProgramValues program;

 private:
  void ShowError(const char* text);
  RunOutcome FailureEnding();
  // A pass that stopped before renaming, or early at a failure.
  bool PassFailed(PassKind pass);

  DialogWindow& window_;
  ProgramLauncher& launcher_;
  bool lastPassFailed_ = false;
};
