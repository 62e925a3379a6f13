#include "viewer/NamePadding.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Blocks = std::vector<std::pair<int, int>>;  // power, zero count

Blocks BlocksOf(const char* digitsText) {
  Blocks blocks;
  for (const ThresholdBlock& block : ThresholdBlocks(digitsText)) blocks.emplace_back(block.power, block.zeroCount);
  return blocks;
}

// The zeros and number that DisplayIt shows for picture `number`: the last
// block whose threshold is not above it sets the zeros.
std::string DisplayedNumber(const char* digitsText, long number) {
  std::string zeros;
  long long threshold = 1;  // up to 10 to the 12th: past a 32-bit long
  for (const ThresholdBlock& block : ThresholdBlocks(digitsText)) {
    if (block.power > 0) threshold *= 10;
    if (number >= threshold) zeros = std::string(block.zeroCount, '0');
  }
  return zeros + std::to_string(number);
}

TEST(WritesPlainDisplayIt, OnlyForTheExactTextZero) {
  EXPECT_TRUE(WritesPlainDisplayIt("0"));
  for (const char* text : {"00", " 0", "0 ", "", "5", "-0", "-2", "x"}) {
    EXPECT_FALSE(WritesPlainDisplayIt(text)) << '"' << text << '"';
  }
}

TEST(ThresholdBlocks, OneBlockPerPowerOfTenBelowTheWidth) {
  const struct {
    const char* digitsText;
    Blocks blocks;
  } cases[] = {
      {"1", {{0, 0}}},
      {"3", {{0, 2}, {1, 1}, {2, 0}}},
      {"5", {{0, 4}, {1, 3}, {2, 2}, {3, 1}, {4, 0}}},
      {"5x", {{0, 4}, {1, 3}, {2, 2}, {3, 1}, {4, 0}}},  // read as atol reads it
      {" +5", {{0, 4}, {1, 3}, {2, 2}, {3, 1}, {4, 0}}},
      {"7", {{0, 6}, {1, 5}, {2, 4}, {3, 3}, {4, 2}, {5, 1}, {6, 0}}},
      {"8", {{0, 7}, {1, 6}, {2, 5}, {3, 4}, {4, 3}, {5, 2}, {6, 1}, {7, 0}}},
      // No padding at all: the first block alone, with no zeros.
      {"00", {{0, 0}}},
      {"-2", {{0, 0}}},
      {"-2147483649", {{0, 0}}},  // beyond int: must not wrap into a width
      {"-4294967294", {{0, 0}}},
      {"x5", {{0, 0}}},
      {"", {{0, 0}}},
  };
  for (const auto& c : cases) EXPECT_EQ(BlocksOf(c.digitsText), c.blocks) << '"' << c.digitsText << '"';
}

TEST(ThresholdBlocks, GivesEveryPictureTheZerosThePassGaveIt) {
  const long numbers[] = {1, 7, 9, 10, 42, 99, 100, 999, 1000, 10000, 123456, 999999, 1000000, 1234567, 10000000,
                          99999999, 100000000, 2147483647};
  for (int width = 0; width <= 12; ++width) {
    const std::string digitsText = std::to_string(width);
    for (const long number : numbers) {
      char passName[32];
      std::snprintf(passName, sizeof passName, "%0*ld", width, number);
      EXPECT_EQ(DisplayedNumber(digitsText.c_str(), number), passName) << "width " << width;
    }
  }
}

TEST(ThresholdBlocks, StopAtTheWidestWidthThePassAccepts) {
  const std::vector<ThresholdBlock> blocks = ThresholdBlocks("9999999");
  ASSERT_EQ(blocks.size(), static_cast<size_t>(kWidestPadding));
  EXPECT_EQ(blocks.front().zeroCount, kWidestPadding - 1);
  EXPECT_EQ(blocks.back().zeroCount, 0);
  EXPECT_EQ(ThresholdBlocks("99999999999999999999999").size(), static_cast<size_t>(kWidestPadding));
}

}  // namespace
