// The main dialog as a native Windows window, under the window system (Wine
// and Xvfb in make test): the template opens, the path is filled, "Go For
// It!" is pressed and its message box answered as a user would, and the
// files are renumbered.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/DialogTemplates.h"
#include "app/MainDialog.h"
#include "app/PreviewDialog.h"
#include "platform/dialog/win32/Win32DialogWindow.h"
#include "renumber/ControlIds.h"
#include "tests/support/RecordingLauncher.h"

namespace {

class Win32Dialogs : public DialogFactory {
 public:
  std::unique_ptr<DialogWindow> Create(const DialogTemplate& dialog) override {
    return std::make_unique<Win32DialogWindow>(dialog);
  }
};

// What the user does, a step at each tick of a timer on the dialog: the
// timer's messages keep coming inside the run and its message box, as a
// user's clicks would.
struct UserScript {
  Win32DialogWindow* window = nullptr;
  std::wstring path;
  int step = 0;
  int ticks = 0;
  std::wstring message;  // the text of the message box the run showed
};
UserScript script;

std::wstring TextOf(HWND control) {
  wchar_t text[512] = L"";
  GetWindowTextW(control, text, 512);
  return text;
}

void CALLBACK Tick(HWND dialog, UINT, UINT_PTR, DWORD) {
  if (++script.ticks > 300) EndDialog(dialog, -1);  // the script is stuck: give up
  switch (script.step) {
    case 0:
      SetDlgItemTextW(dialog, kPathField, script.path.c_str());
      CheckDlgButton(dialog, kViewAfterRunBox, BST_UNCHECKED);
      PostMessageW(GetDlgItem(dialog, kGoButton), BM_CLICK, 0, 0);
      script.step = 1;
      break;
    case 1:
      if (HWND box = FindWindowW(L"#32770", L"Good work.")) {
        script.message = TextOf(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        script.step = 2;
      }
      break;
    case 2:
      // Escape is ignored while a run works: wait until it is over.
      if (TextOf(GetDlgItem(dialog, kStatusLine)) == L"Done." && IsWindowEnabled(GetDlgItem(dialog, kGoButton))) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // as Escape
        script.step = 3;
      }
      break;
    default:
      break;
  }
}

// Starts the script once the dialog is up.
class ScriptedMainDialog : public MainDialog {
 public:
  using MainDialog::MainDialog;
  void OnInitDialog() override {
    MainDialog::OnInitDialog();
    SetTimer(script.window->Window(), 1, 50, Tick);
  }
};

TEST(Win32MainDialogTest, GoForItRenumbersTheDirectoryNamedInThePathField) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("tarvine-win32-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(root / "config");
  _putenv_s("APPDATA", (root / "config").string().c_str());  // Tarvine.ini goes there
  for (const char* name : {"c.jpg", "a.JPG", "b.jpg"}) std::ofstream(root / name) << name;

  Win32DialogWindow window(MainDialogTemplate());
  Win32Dialogs dialogs;
  RecordingLauncher launcher;
  ScriptedMainDialog dialog(window, dialogs, launcher);
  script = UserScript();
  script.window = &window;
  script.path = (root / "a.JPG").wstring();

  const int result = window.DoModal(dialog);
  if (result == -1 && script.step == 0) {
    std::filesystem::remove_all(root);
    GTEST_SKIP() << "the dialog manager could not make the window (no display for Wine): error " << GetLastError();
  }
  EXPECT_EQ(result, kIdCancel);
  EXPECT_EQ(script.step, 3) << "the script stopped at step " << script.step;
  EXPECT_EQ(script.message, L"Directory renumbered.");
  EXPECT_EQ(window.GetDlgItemText(kCountLine), "   3 files.");
  for (const char* name : {"00001.JPG", "00002.JPG", "00003.JPG"}) {
    EXPECT_TRUE(std::filesystem::exists(root / name)) << name;
  }
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
}

// The preview on Windows: each line shown gets the shell's thumbnail of its
// file, or the plain icon where the shell has none (as under Wine); lines
// never shown are never read, and the window closes with pictures pending.
struct PreviewScript {
  Win32DialogWindow* window = nullptr;
  int ticks = 0;
  Win32DialogWindow::ListThumbnail first = Win32DialogWindow::ListThumbnail::kNone;
  Win32DialogWindow::ListThumbnail last = Win32DialogWindow::ListThumbnail::kNone;
};
PreviewScript preview;

void CALLBACK PreviewTick(HWND dialog, UINT, UINT_PTR, DWORD) {
  preview.first = preview.window->ListThumbnailAt(kPreviewList, 0);
  preview.last = preview.window->ListThumbnailAt(kPreviewList, 299);
  if (++preview.ticks > 200 || preview.first != Win32DialogWindow::ListThumbnail::kWaiting) {
    EndDialog(dialog, kIdCancel);
  }
}

class TimedPreviewDialog : public PreviewDialog {
 public:
  using PreviewDialog::PreviewDialog;
  void OnInitDialog() override {
    PreviewDialog::OnInitDialog();
    SetTimer(preview.window->Window(), 2, 20, PreviewTick);
  }
};

TEST(Win32MainDialogTest, ThePreviewShowsAPictureOrThePlainIconBeforeTheLinesShownOnly) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("tarvine-preview-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(root);
  RenamePreview renames;
  renames.outcome = RunOutcome::kSucceeded;
  renames.directory = root.string() + "\\";
  for (int i = 0; i < 300; ++i) {
    const std::string name = "IMG_" + std::to_string(i) + ".jpg";
    std::ofstream(root / name) << name;
    renames.renames.push_back({name, std::to_string(i + 1) + ".jpg"});
    renames.fileBefore.push_back(name);
  }
  Win32DialogWindow window(PreviewDialogTemplate());
  preview = PreviewScript();
  preview.window = &window;
  TimedPreviewDialog dialog(window, renames);
  const int result = window.DoModal(dialog);
  std::error_code ignored;
  if (result == -1) {
    std::filesystem::remove_all(root, ignored);
    GTEST_SKIP() << "the dialog manager could not make the window (no display for Wine): error " << GetLastError();
  }
  EXPECT_TRUE(preview.first == Win32DialogWindow::ListThumbnail::kPicture ||
              preview.first == Win32DialogWindow::ListThumbnail::kPlainIcon)
      << "the first line's picture was never answered";
  EXPECT_EQ(preview.last, Win32DialogWindow::ListThumbnail::kWaiting) << "a line never shown was read";
  std::filesystem::remove_all(root, ignored);
}

}  // namespace
