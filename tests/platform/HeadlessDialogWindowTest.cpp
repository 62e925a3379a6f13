#include "tests/support/HeadlessDialogWindow.h"

#include <gtest/gtest.h>

namespace {

TEST(HeadlessDialogWindow, RecordsTextsMessagesAndPumps) {
  HeadlessDialogWindow window;
  EXPECT_EQ(window.ItemText(1013), "");
  EXPECT_TRUE(window.TextHistory(1013).empty());
  window.SetDlgItemText(1013, "   0");
  window.SetDlgItemText(1013, "   1 files.");
  EXPECT_EQ(window.ItemText(1013), "   1 files.");
  EXPECT_EQ(window.TextHistory(1013), (std::vector<std::string>{"   0", "   1 files."}));

  EXPECT_EQ(window.MessageBox("text", "Error", kMessageStop), kIdOk);
  ASSERT_EQ(window.Messages().size(), 1u);
  EXPECT_EQ(window.Messages()[0].caption, "Error");
  EXPECT_EQ(window.Messages()[0].style, 16);

  int delivered = 0;
  window.onPump = [&] { ++delivered; };
  window.PumpMessages();
  window.PumpMessages();
  EXPECT_EQ(window.PumpCount(), 2);
  EXPECT_EQ(delivered, 2);
}

}  // namespace
