#include <gtest/gtest.h>

#include <utility>

#include "platform/dialog/DialogBaseUnits.h"

namespace {

TEST(DialogBaseUnits, AverageWidthIsTheAlphabetOverFiftyTwoRounded) {
  const std::pair<int, int> widthToAverage[] = {{312, 6}, {337, 6}, {338, 7}, {353, 7}, {0, 0}, {25, 0}, {26, 1}};
  for (const auto& [width, average] : widthToAverage) {
    EXPECT_EQ(AverageCharWidthOfAlphabet(width), average) << width;
  }
}

}  // namespace
