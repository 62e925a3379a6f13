#pragma once
// The main dialog: the fields and the run (RenumberDialog) together with the
// commands of its window: Browse, Choose Viewer, "Go For It!", the items of
// the window menu (the three numbering orders, preview, undo, About), a file
// dropped onto the window, Exit, Enter, Escape and the close box.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog/DialogCommands.h"
#include "platform/dialog/DialogFactory.h"
#include "app/Settings.h"
#include "renumber/RenumberDialog.h"

// The window-menu commands and their items' texts. The window system keeps
// a command's four low bits for itself.
constexpr int kAboutCommand = 16;
constexpr char kAboutItemText[] = "&About Tarvine...";
constexpr int kPreviewCommand = 0x100;
constexpr char kPreviewItemText[] = "Preview the renames...";
constexpr int kUndoCommand = 0x110;
constexpr char kUndoItemText[] = "Undo the last run...";
constexpr int kCameraClocksCommand = 0x120;
constexpr char kCameraClocksItemText[] = "Camera clocks...";

// The window-menu commands that choose the numbering order, one radio group
// (the window system keeps a command's four low bits, so they step by 16).
constexpr int kNameOrderCommand = 32;
constexpr int kTakenOrderCommand = 48;
constexpr int kModifiedOrderCommand = 64;

// The window-menu items checked on their own, each remembered in the
// settings file: companions renamed with their picture, and every photo and
// video kind of kAllPhotoAndVideoKinds numbered in one sequence.
constexpr int kCompanionsCommand = 0x180;
constexpr char kCompanionsItemText[] = "Rename companions with their picture";
constexpr int kAllKindsCommand = 0x190;
constexpr char kAllKindsItemText[] = "Number every photo and video kind together";
constexpr const char* kAllPhotoAndVideoKinds[] = {"jpg", "jpeg", "heic", "heif", "avif", "png", "gif", "tif",
                                                  "tiff", "webp", "dng", "cr2", "cr3", "nef", "arw", "orf",
                                                  "rw2", "raf", "mov", "mp4", "m4v", "3gp"};

class MainDialog : public RenumberDialog, public DialogCommands {
 public:
  MainDialog(DialogWindow& window, DialogFactory& dialogs, ProgramLauncher& launcher = SystemLauncher())
      : RenumberDialog(window, launcher), dialogs_(dialogs) {}

  // Fills the controls, adds the menu items, takes dropped files, reads the
  // settings file and checks the order it holds; then takes startFile, if
  // any, as a dropped file is taken.
  void OnInitDialog() override;
  void OnCommand(int id) override;
  // About, or the choice of a numbering order, which is remembered in the
  // settings file at once.
  void OnSysCommand(int id) override;
  // The first dropped file goes into the path field, as a chosen one does.
  void OnDropFiles(const std::vector<std::string>& paths) override;
  // Exit and Enter end the program after a successful exchange, keeping
  // "Keep a log" as it is; Escape and the close box end it at once, saving
  // nothing. Neither works during a run.
  void OnOK() override;
  void OnCancel() override;

  // Puts a chosen file into the path field and remembers its directory.
  void OnBrowse();
  // Lists the renames a run on the fields would make, in a dialog whose
  // "Go For It!" makes them.
  void OnPreview();
  // Takes back the renames of the directory's renum.log, once the user
  // has seen them listed and confirms.
  void OnUndo();
  // "Camera clocks...": the cameras of the path field's directory, of its
  // kind, and their clock offsets, kept in the settings on OK.
  void OnCameraClocks();
  // Sets the program that opens the slideshow page.
  void OnChooseViewer();
  // The run, one at a time: while it works, the commands that could start
  // another or end the program are disabled and do nothing, and the count
  // line keeps updating.
  RunOutcome OnGoForIt();

  bool RunInProgress() const { return runInProgress_; }

  // A click on "Go For It!" this soon after a run ended is the second half
  // of a double click (the double-click time of the window systems), held
  // back while the run worked: it starts nothing. The run it follows has
  // emptied the path field, so it could only report an error after a run
  // that went through.
  std::chrono::milliseconds secondClickTime{500};

  ProgramSettings settings;
  // The file the program was started with ("tarvine FILE", a file manager's
  // "Open With"); "" for none.
  std::string startFile;

 private:
  // "Keep a log" as the user left it into the settings file, when it
  // changed: on a run and on Exit.
  void RememberKeepLog();
  // Checks the window menu's item of the order in the settings.
  void CheckOrderItem();
  // The path into the path field, its directory into lastDirectory and the
  // settings file; a path that could not be stored is refused with a message.
  void TakeFile(const std::string& path);
  // Runs `run` as the one run in progress, in the order of the settings.
  RunOutcome RunAlone(const std::function<RunOutcome()>& run);

  DialogFactory& dialogs_;
  bool SecondHalfOfADoubleClick() const;

  bool runInProgress_ = false;
  std::optional<std::chrono::steady_clock::time_point> runEndedAt_;  // of the latest run, none before
  // The directory of the latest run that went through, for an undo once
  // the path field is emptied; "" before any.
  std::string lastRunDirectory_;
};
