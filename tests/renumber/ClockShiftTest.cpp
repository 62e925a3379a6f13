#include "renumber/ClockShift.h"

#include <gtest/gtest.h>

namespace {

TEST(ClockShift, ReadsSignedOffsetsInDaysHoursMinutesAndSecondsAndWritesThemBack) {
  struct Case {
    const char* text;
    bool read;
    int64_t seconds;
  };
  const Case cases[] = {
      {"+1h02m", true, 3720}, {"-30s", true, -30},     {"2d", true, 172800},  {"1d1h1m1s", true, 90061},
      {"0s", true, 0},        {"-3650d", true, -315360000},
      {"", false, 7},         {"+", false, 7},         {"1x", false, 7},      {"1m1h", false, 7},
      {"1h 2m", false, 7},    {"1h1h", false, 7},      {"3651d", false, 7},   {"12", false, 7},
  };
  for (const Case& c : cases) {
    int64_t seconds = 7;
    EXPECT_EQ(ParseClockOffset(c.text, seconds), c.read) << c.text;
    EXPECT_EQ(seconds, c.seconds) << c.text;
    if (!c.read) continue;
    int64_t again = 0;
    EXPECT_TRUE(ParseClockOffset(ClockOffsetText(seconds), again)) << ClockOffsetText(seconds);
    EXPECT_EQ(again, seconds);
  }
  EXPECT_EQ(ClockOffsetText(3720), "+1h02m");
  EXPECT_EQ(ClockOffsetText(90061), "+1d1h01m01s");
  EXPECT_EQ(ClockOffsetText(0), "+0s");
}

TEST(ClockShift, NamesAModelBeforeTheLastEqualsSignAndMatchesItInAnyCase) {
  ClockShift shift;
  ASSERT_TRUE(ParseClockShift("A=B=-1m", shift));
  EXPECT_EQ(shift.model, "A=B");
  EXPECT_EQ(shift.seconds, -60);
  for (const char* text : {"=+1h", "EOS", "EOS=", "EOS=1 h"}) EXPECT_FALSE(ParseClockShift(text, shift)) << text;
  const std::vector<ClockShift> shifts{{"canon eos r5", 60}, {"X", 5}, {"CANON EOS R5", 120}};
  EXPECT_EQ(ClockShiftOf(shifts, "Canon EOS R5"), 120);
  EXPECT_EQ(ClockShiftOf(shifts, "Canon EOS R6"), 0);
}

}  // namespace
