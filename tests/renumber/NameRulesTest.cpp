#include "renumber/NameRules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "platform/os/PathSeparators.h"

namespace {

TEST(ExtensionOfFileName, TakesTheTextAfterTheFileNamesLastDot) {
  struct Case {
    const char* path;
    const char* expected;  // null: no extension
  };
  const Case cases[] = {
      {"/pics/holiday.jpg", "jpg"},     {"/pics/holiday.2001.jpg", "jpg"},
      {"/my.pics/holiday.jpg", "jpg"},  {"C:\\my.pics\\a.GIF", "GIF"},
      {"holiday.jpg", "jpg"},           {"/pics/.jpg", "jpg"},
      {"/pics/holiday", nullptr},       {"/pics/holiday.", nullptr},
      {"/my.pics/holiday", nullptr},    {"my.pics\\holiday", nullptr},
      {"", nullptr},                    {"/pics/a.tar.gz", "gz"},
  };
  for (const Case& c : cases) {
    const char* extension = ExtensionOfFileName(c.path);
    if (c.expected) {
      ASSERT_NE(extension, nullptr) << c.path;
      EXPECT_STREQ(extension, c.expected) << c.path;
    } else {
      EXPECT_EQ(extension, nullptr) << c.path;
    }
  }
}

TEST(NewNameRule, FormatsAsPrintfsZeroPadding) {
  struct Case {
    int width;
    long number;
    const char* expected;
  };
  const Case cases[] = {
      {3, 1, "/d/p001s.jpg"},   {3, 1000, "/d/p1000s.jpg"}, {0, 7, "/d/p7s.jpg"},
      {1, 7, "/d/p7s.jpg"},     {5, 42, "/d/p00042s.jpg"},  {-3, 1, "/d/p1  s.jpg"},
  };
  for (const Case& c : cases) {
    const NewNameRule rule{"/d/", "p", c.width, "s", "jpg"};
    char name[64];
    EXPECT_EQ(rule.Format(c.number, name, sizeof name), static_cast<int>(std::strlen(c.expected)));
    EXPECT_STREQ(name, c.expected);
  }
}

// The rule writes its common case by hand; it must equal snprintf's text
// and length everywhere, the edges of the room included.
TEST(NewNameRule, EqualsSnprintfForAnyWidthNumberAndRoom) {
  const int widths[] = {-304, -7, -1, 0, 1, 2, 6, 9, 19, 20, 303};
  // The largest long: 64 bits on Linux, 32 on Windows.
  const long numbers[] = {0, 1, 9, 10, 99999, 1000000, 2147483647L, std::numeric_limits<long>::max(), -1, -42};
  for (int width : widths) {
    for (long number : numbers) {
      for (size_t room : {size_t{1}, size_t{8}, size_t{14}, size_t{15}, size_t{16}, size_t{400}}) {
        const NewNameRule rule{"d/", "pre", width, "_s", "jpeg"};
        char expected[400];
        char actual[400];
        std::memset(actual, '#', sizeof actual);
        const int expectedLength =
            std::snprintf(expected, room, "%s%s%0*ld%s.%s", "d/", "pre", width, number, "_s", "jpeg");
        ASSERT_EQ(rule.Format(number, actual, room), expectedLength) << width << " " << number << " " << room;
        ASSERT_STREQ(actual, expected) << width << " " << number << " " << room;
      }
    }
  }
}

TEST(NewNameRule, ReportsANameThatDoesNotFit) {
  const NewNameRule rule{"/d/", "", 20, "", "jpg"};
  char name[16];
  EXPECT_GE(rule.Format(1, name, sizeof name), static_cast<int>(sizeof name));
  EXPECT_EQ(std::strlen(name), sizeof name - 1);
}

// A separator of the system moves a file into another directory: "\" on
// Windows, a byte of a name on POSIX.
TEST(AffixProblem, RefusesEachSeparatorOfTheSystem) {
  EXPECT_STREQ(AffixProblem("../up/", "prefix"), "The prefix may not contain /.");
  EXPECT_STREQ(AffixProblem("up\\", "suffix"), IsPathSeparator('\\') ? "The suffix may not contain \\." : nullptr);
}

TEST(LongerNumbersNote, SaysWhenTheNumbersOutgrowTheWidth) {
  EXPECT_EQ(LongerNumbersNote(3, 1200),
            "Note: the numbers from 1000 on are one digit longer than 3 digits, which some programs sort before "
            "101; 4 digits would keep every name in order.");
  EXPECT_EQ(LongerNumbersNote(1, 10),
            "Note: the numbers from 10 on are one digit longer than 1 digit, which some programs sort before 2; 2 "
            "digits would keep every name in order.");
  EXPECT_EQ(LongerNumbersNote(3, 999), "");
  EXPECT_EQ(LongerNumbersNote(0, 5000), "");
  EXPECT_EQ(LongerNumbersNote(-3, 5000), "");
  EXPECT_EQ(LongerNumbersNote(200, 5000), "");
}

}  // namespace
