#include "app/MainDialog.h"

#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/AboutDialog.h"
#include "app/CameraClocksDialog.h"
#include "app/DialogTemplates.h"
#include "app/PreviewAndUndo.h"
#include "app/Settings.h"
#include "fsystem/PathHelpers.h"
#include "fsystem/PickFile.h"
#include "platform/dialog/FileDialogService.h"
#include "platform/os/UserDirectories.h"
#include "renumber/ControlIds.h"
#include "renumber/PassPlan.h"

namespace {

constexpr uint32_t kPickFlags = FileDialogFlag::kHideReadOnly | FileDialogFlag::kOverwritePrompt;
const char kPictureFilter[] = "JPEG Files (*.jpg)|*.jpg|GIF Files (*.gif)|*.gif|All Files (*.*)|*.*||";
const char kProgramFilter[] = "EXE Files (*.exe)|*.exe||";

// The window menu's numbering orders, in the menu's order.
const struct {
  int command;
  const char* text;
  NumberingOrder order;
} kOrderItems[] = {
    {kNameOrderCommand, "Number in name order", NumberingOrder::kName},
    {kTakenOrderCommand, "Number in the order taken", NumberingOrder::kTaken},
    {kModifiedOrderCommand, "Number by date modified", NumberingOrder::kModified},
};

// The fields the window menu's checked items stand for, which no control
// holds: a run and a preview alike take them from the fields.
void TakeMenuChoices(const ProgramSettings& settings, RunOptions& options) {
  options.companions = settings.companions ? 1 : 0;
  options.kinds.clear();
  if (settings.allKinds) options.kinds.assign(std::begin(kAllPhotoAndVideoKinds), std::end(kAllPhotoAndVideoKinds));
}

// The commands that could start a second run or end the program mid-run.
constexpr int kCommandsLockedDuringRun[] = {kGoButton, kBrowseButton, kChooseViewerButton, kIdOk};

// Null when a chosen path can be kept in `capacity` bytes and read back from
// the settings file; else the message that says why not.
const char* WhyNotStorable(const std::string& path, size_t capacity, const char* tooLong) {
  if (StorableSetting(path.c_str(), capacity)) return nullptr;
  return path.size() > capacity ? tooLong : "A path with a line break cannot be stored.";
}

}  // namespace

void MainDialog::OnInitDialog() {
  UpdateData(0);
  Window().AppendSystemMenu(0, nullptr);
  for (const auto& item : kOrderItems) Window().AppendSystemMenu(item.command, item.text);
  Window().AppendSystemMenu(0, nullptr);
  Window().AppendSystemMenu(kCompanionsCommand, kCompanionsItemText);
  Window().AppendSystemMenu(kAllKindsCommand, kAllKindsItemText);
  Window().AppendSystemMenu(0, nullptr);
  Window().AppendSystemMenu(kPreviewCommand, kPreviewItemText);
  Window().AppendSystemMenu(kUndoCommand, kUndoItemText);
  Window().AppendSystemMenu(kCameraClocksCommand, kCameraClocksItemText);
  Window().AppendSystemMenu(0, nullptr);
  Window().AppendSystemMenu(kAboutCommand, kAboutItemText);
  Window().DragAcceptFiles(true);
  LoadSettings(settings, Window());
  options.keepLog = settings.keepLog;
  Window().CheckDlgButton(kKeepLogBox, settings.keepLog);
  CheckOrderItem();
  Window().CheckMenuItem(kCompanionsCommand, settings.companions);
  Window().CheckMenuItem(kAllKindsCommand, settings.allKinds);
  TakeMenuChoices(settings, options);
  if (!startFile.empty()) TakeFile(startFile);
  Window().GotoDlgCtrl(kPathField);
}

void MainDialog::OnCommand(int id) {
  if (runInProgress_) return;
  switch (id) {
    case kBrowseButton: OnBrowse(); break;
    case kGoButton:
      if (!SecondHalfOfADoubleClick()) OnGoForIt();
      break;
    case kChooseViewerButton: OnChooseViewer(); break;
    default: break;
  }
}

void MainDialog::CheckOrderItem() {
  for (const auto& item : kOrderItems) {
    if (item.order == settings.order) {
      Window().CheckMenuRadioItem(kNameOrderCommand, kModifiedOrderCommand, item.command);
    }
  }
}

void MainDialog::OnSysCommand(int id) {
  // The menu's commands wait for the run: an order chosen mid-run would not
  // be the one it numbers in, and a preview's or an undo's renames would
  // cross its own.
  if (runInProgress_) return;
  // The window system keeps the four low bits of a command for itself.
  const int command = id & 0xFFF0;
  for (const auto& item : kOrderItems) {
    if (command != item.command) continue;
    settings.order = item.order;
    CheckOrderItem();
    SaveSettings(settings, Window());
    return;
  }
  for (const auto& [item, value] : {std::pair{kCompanionsCommand, &settings.companions},
                                    std::pair{kAllKindsCommand, &settings.allKinds}}) {
    if (command != item) continue;
    *value = !*value;
    Window().CheckMenuItem(item, *value);
    TakeMenuChoices(settings, options);
    SaveSettings(settings, Window());
    return;
  }
  if (command == kAboutCommand) {
    const std::unique_ptr<DialogWindow> window = dialogs_.Create(AboutDialogTemplate());
    AboutDialog about(*window);
    window->DoModal(about);
    return;
  }
  switch (command) {
    case kPreviewCommand: OnPreview(); break;
    case kUndoCommand: OnUndo(); break;
    case kCameraClocksCommand: OnCameraClocks(); break;
    default: break;
  }
}

void MainDialog::OnDropFiles(const std::vector<std::string>& paths) {
  if (runInProgress_ || paths.empty()) return;
  TakeFile(paths.front());
}

void MainDialog::OnOK() {
  if (runInProgress_) return;
  if (!UpdateData(1)) return;
  RememberKeepLog();
  Window().EndDialog(kIdOk);
}

void MainDialog::RememberKeepLog() {
  if (options.keepLog == settings.keepLog) return;
  settings.keepLog = options.keepLog;
  SaveSettings(settings, Window());
}

void MainDialog::OnCancel() {
  if (runInProgress_) return;
  Window().EndDialog(kIdCancel);
}

void MainDialog::OnBrowse() {
  PickFile picker(true, nullptr, nullptr, kPickFlags, kPictureFilter, nullptr, settings.lastDirectory);
  if (picker.DoModal() != kIdOk) return;
  TakeFile(picker.GetPathName());
}

void MainDialog::TakeFile(const std::string& path) {
  // The path field holds 300 bytes; a longer path is refused, never cut.
  if (const char* problem = WhyNotStorable(path, kPathLimit, "The path is too long: at most 300 bytes.")) {
    Window().MessageBox(problem, "Error", kMessageStop);
    return;
  }
  Window().SetDlgItemText(kPathField, path.c_str());
  std::snprintf(settings.lastDirectory, sizeof settings.lastDirectory, "%s", DirectoryOf(path.c_str()));
  SaveSettings(settings, Window());
}

void MainDialog::OnChooseViewer() {
  // The picker keeps the directory's text, not a copy: it must outlive it.
  const std::string programsDirectory = ProgramsDirectory();
  PickFile picker(true, nullptr, nullptr, kPickFlags, kProgramFilter, nullptr, programsDirectory.c_str());
  if (picker.DoModal() != kIdOk) return;
  const std::string& path = picker.GetPathName();
  if (const char* problem =
          WhyNotStorable(path, sizeof settings.viewerPath - 1, "The viewer path is too long: at most 200 bytes.")) {
    Window().MessageBox(problem, "Error", kMessageStop);
    return;
  }
  std::snprintf(settings.viewerPath, sizeof settings.viewerPath, "%s", path.c_str());
  SaveSettings(settings, Window());
}

void MainDialog::OnPreview() {
  if (!UpdateData(1)) return;
  if (!NamesAFile(Window(), options.pathText, kPreviewCaption, "of the kind to renumber")) return;
  options.order = settings.order;
  options.clockShifts = settings.clockShifts;
  // The fields are the ones previewed: the preview held the window.
  if (PreviewRun(Window(), dialogs_, options)) RunAlone([this] { return RunOnFields(); });
}

void MainDialog::OnUndo() {
  // Once a run has emptied the path field, its directory is the one to undo.
  const std::string path = Window().GetDlgItemText(kPathField);
  if (path.empty() && !lastRunDirectory_.empty()) {
    UndoLoggedRuns(Window(), dialogs_, lastRunDirectory_);
  } else if (NamesAFile(Window(), path, kUndoCaption, "of the directory whose last run to take back")) {
    UndoLoggedRuns(Window(), dialogs_, DirectoryOf(path.c_str()));
  }
}

RunOutcome MainDialog::OnGoForIt() {
  return RunAlone([this] { return RunRenumber(); });
}

RunOutcome MainDialog::RunAlone(const std::function<RunOutcome()>& run) {
  viewerPath = settings.viewerPath;
  options.order = settings.order;
  options.clockShifts = settings.clockShifts;
  runInProgress_ = true;
  for (int id : kCommandsLockedDuringRun) Window().EnableWindow(id, false);
  const RunOutcome outcome = run();
  for (int id : kCommandsLockedDuringRun) Window().EnableWindow(id, true);
  runInProgress_ = false;
  runEndedAt_ = std::chrono::steady_clock::now();
  if (outcome != RunOutcome::kNotStarted) RememberKeepLog();
  if (outcome == RunOutcome::kSucceeded) lastRunDirectory_ = DirectoryOf(options.pathText.c_str());
  return outcome;
}

bool MainDialog::SecondHalfOfADoubleClick() const {
  return runEndedAt_ && std::chrono::steady_clock::now() - *runEndedAt_ < secondClickTime;
}

void MainDialog::OnCameraClocks() {
  constexpr char kCaption[] = "Camera clocks";
  if (!UpdateData(1)) return;
  if (!NamesAFile(Window(), options.pathText, kCaption, "of the kind whose cameras to list")) return;
  RunOptions fields = options;
  const PassPlan plan = MakePassPlan(fields);
  const std::vector<CameraSummary> cameras = CamerasIn(plan.directory, plan.extension, options.videoClock);
  if (cameras.empty()) {
    Window().MessageBox("No file of this kind in the directory records its camera's model.", kCaption,
                        kMessageInformation);
    return;
  }
  std::vector<std::string> texts;
  const DialogTemplate layout = CameraClocksTemplate(cameras, texts);
  const std::unique_ptr<DialogWindow> window = dialogs_.Create(layout);
  CameraClocksDialog clocks(*window, cameras, settings.clockShifts);
  if (window->DoModal(clocks) == kIdOk) SaveSettings(settings, Window());
}
