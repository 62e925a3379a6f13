// What every window system draws alike: the icon's pixels from its XPM, and
// how far a text control may grow to show its whole text.

#include <gtest/gtest.h>

#include "platform/dialog/TextWidening.h"
#include "platform/dialog/XpmImage.h"

namespace {

TEST(DecodeXpm, ReadsHexColoursAndNoneAndRefusesTheRest) {
  const char* const good[] = {"2 2 2 1", ". c None", "r c #FF0000", ".r", "r."};
  ArgbImage image;
  ASSERT_TRUE(DecodeXpm(good, image));
  EXPECT_EQ(image.width, 2);
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x00000000, 0xFFFF0000, 0xFFFF0000, 0x00000000}));

  const char* const named[] = {"1 1 1 1", "r c red", "r"};
  const char* const shortRow[] = {"2 1 1 1", "r c #FF0000", "r"};
  const char* const unknownKey[] = {"1 1 1 1", "r c #FF0000", "x"};
  const char* const badHeader[] = {"1 1", "r c #FF0000", "r"};
  for (const char* const* bad : {named, shortRow, unknownKey, badHeader}) {
    EXPECT_FALSE(DecodeXpm(bad, image)) << bad[0];
    EXPECT_TRUE(image.pixels.empty());
  }
}

TEST(WidenedWidths, GrowOnlyIntoFreeRoomOfTheirFrame) {
  using C = PlacedControl;
  const std::vector<C> controls = {
      {0, 0, 200, 100, C::kFrame, 0},
      {10, 10, 50, 12, C::kText, 80},   // another control on its line: stays, the window shrinks its text
      {70, 10, 40, 12, C::kOther, 0},
      {10, 30, 50, 12, C::kText, 80},   // alone on its line: grows to what it needs
      {10, 50, 50, 12, C::kText, 400},  // grows to the frame's inside, no further
      {10, 70, 50, 30, C::kText, 400},  // two lines or more: unchanged
      {10, 110, 50, 12, C::kText, 30},  // fits: unchanged
      {210, 10, 50, 12, C::kText, 90},  // outside every frame: to the dialog's edge
  };
  EXPECT_EQ(WidenedWidths(controls, 280, 12), (std::vector<int>{200, 50, 40, 80, 188, 50, 50, 70}));
}

}  // namespace
