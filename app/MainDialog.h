#pragma once
// The main dialog: the fields and the run (RenumberDialog) together with the
// commands of its window: Browse, Choose Viewer, "Go For It!", the About item
// and the three numbering orders of the window menu, Exit, Enter, Escape and
// the close box.

#include "platform/dialog/DialogCommands.h"
#include "platform/dialog/DialogFactory.h"
#include "app/Settings.h"
#include "renumber/RenumberDialog.h"

// The window-menu command that opens the About box, and its item's text.
constexpr int kAboutCommand = 16;
constexpr char kAboutItemText[] = "&About Tarvine...";

// The window-menu commands that choose the numbering order, one radio group
// (the window system keeps a command's four low bits, so they step by 16).
constexpr int kNameOrderCommand = 32;
constexpr int kTakenOrderCommand = 48;
constexpr int kModifiedOrderCommand = 64;

class MainDialog : public RenumberDialog, public DialogCommands {
 public:
  MainDialog(DialogWindow& window, DialogFactory& dialogs, ProgramLauncher& launcher = SystemLauncher())
      : RenumberDialog(window, launcher), dialogs_(dialogs) {}

  // Fills the controls, adds the About item and the order items, reads the
  // settings file and checks the order it holds.
  void OnInitDialog() override;
  void OnCommand(int id) override;
  // About, or the choice of a numbering order, which is remembered in the
  // settings file at once.
  void OnSysCommand(int id) override;
  // Exit and Enter end the program after a successful exchange; Escape and
  // the close box end it at once. Nothing is saved. Neither works during a run.
  void OnOK() override;
  void OnCancel() override;

  // Puts a chosen file into the path field and remembers its directory.
  void OnBrowse();
  // Sets the program that opens the slideshow page.
  void OnChooseViewer();
  // The run, one at a time: while it works, the commands that could start
  // another or end the program are disabled and do nothing, and the count
  // line keeps updating.
  RunOutcome OnGoForIt();

  bool RunInProgress() const { return runInProgress_; }

  ProgramSettings settings;

 private:
  // Checks the window menu's item of the order in the settings.
  void CheckOrderItem();

  DialogFactory& dialogs_;
  bool runInProgress_ = false;
};
