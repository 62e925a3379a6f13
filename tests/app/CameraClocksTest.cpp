// The window menu's "Camera clocks...", headless.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/CameraClocksDialog.h"
#include "app/MainDialog.h"
#include "renumber/ControlIds.h"
#include "tests/support/HeadlessDialogFactory.h"
#include "tests/support/HeadlessDialogWindow.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

namespace {

class CameraClocksTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    configHome_ = std::make_unique<ScopedEnvironment>("XDG_CONFIG_HOME", PathOf("config"));
    window.DoModal(dialog);  // headless: initialises and returns
    // Two pictures of a phone, one of a camera that records no model.
    for (const char* name : {"a.heic", "b.heic"}) {
      std::filesystem::copy_file(TARVINE_CAPTURE_TIMES_DATA "/phone.heic", PathOf(name));
    }
    std::filesystem::copy_file(TARVINE_CAPTURE_TIMES_DATA "/digitized.avif", PathOf("c.heic"));
    window.SetDlgItemText(kPathField, PathOf("a.heic").c_str());
  }

  std::unique_ptr<ScopedEnvironment> configHome_;
  HeadlessDialogWindow window;
  HeadlessDialogFactory dialogs;
  MainDialog dialog{window, dialogs};
};

TEST_F(CameraClocksTest, ListsTheDirectorysCamerasAndKeepsTheirOffsetsRefusingAnUnreadableOne) {
  if (RunningUnderWine()) GTEST_SKIP() << kNoCaptureTimesUnderWine;
  int shown = 0;
  std::string offset = "1 h";
  dialogs.whileShown = [&](HeadlessDialogWindow& clocks, DialogCommands& commands) {
    ++shown;
    clocks.SetDlgItemText(kCameraOffsetField, offset.c_str());
    commands.OnOK();
    if (clocks.Messages().empty()) return;
    EXPECT_EQ(clocks.Messages().back().text,
              "The offset of iPhone 12 is not like +1h02m or -30s (days d, hours h, minutes m, seconds s, signed).");
    offset = "+1h02m";
    clocks.SetDlgItemText(kCameraOffsetField, offset.c_str());
    commands.OnOK();
  };
  dialog.OnSysCommand(kCameraClocksCommand);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(Read("config/tarvine/Tarvine.ini").substr(Read("config/tarvine/Tarvine.ini").find("\n1\n1\n0\n") + 7),
            "iPhone 12\t+1h02m\n");
  EXPECT_EQ(CameraRowText({"iPhone 12", 2, {1689330123, 0}, {1689330123, 0}}), "iPhone 12: 2 files, 2023-07-14 10:22:03");
  EXPECT_EQ(CameraRowText({"X", 1, {0, 0}, {60, 0}}), "X: 1 file, 1970-01-01 00:00:00 to 1970-01-01 00:01:00");
}

}  // namespace
