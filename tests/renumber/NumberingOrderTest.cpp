#include "renumber/NumberingOrder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include "renumber/RenumberDialog.h"
#include "tests/support/ExifJpeg.h"
#include "tests/support/HeadlessDialogWindow.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

namespace {

using Names = std::vector<std::string>;

class NumberingOrderTest : public TempDirTest {
 protected:
  // Sets a file's last-write time to a moment on the local clock.
  void SetLastWrite(const std::string& name, int hour, int minute, int second, long nanoseconds = 0) {
    std::tm local{};
    local.tm_year = 2023 - 1900, local.tm_mon = 6, local.tm_mday = 14;
    local.tm_hour = hour, local.tm_min = minute, local.tm_sec = second, local.tm_isdst = -1;
    const auto moment = std::chrono::system_clock::from_time_t(std::mktime(&local)) +
                        std::chrono::duration_cast<std::chrono::system_clock::duration>(
                            std::chrono::nanoseconds(nanoseconds));
    std::error_code error;
    std::filesystem::last_write_time(PathOf(name), std::chrono::file_clock::from_sys(moment), error);
    ASSERT_FALSE(error) << name << ": " << error.message();
  }

  // Runs the window's command on the directory in `order`, then gives the
  // original names in the order of their new numbers.
  Names RunInOrder(const std::string& file, NumberingOrder order) {
    dialog.options.pathText = PathOf(file);
    dialog.options.digitsText = "2";
    dialog.options.viewAfterRun = 0;
    dialog.options.order = order;
    EXPECT_EQ(dialog.RunOnFields(), RunOutcome::kSucceeded) << ::testing::PrintToString(window.MessageTexts());
    Names originals;
    for (const std::string& numbered : Entries()) originals.push_back(contents_[Read(numbered)]);
    return originals;
  }

  void Write(const std::string& name, const std::string& content) {
    Touch(name, content);
    contents_[content] = name;
  }

  HeadlessDialogWindow window;
  RenumberDialog dialog{window};
  std::map<std::string, std::string> contents_;  // a file's content => its first name
};

// Two cameras merged into one folder, with a burst, pictures without
// metadata, damaged ones and an edited one: the order taken, with every
// fallback in its documented place.
TEST_F(NumberingOrderTest, TakenOrdersByCaptureTimeThenSubSecondsThenName) {
  if (RunningUnderWine()) GTEST_SKIP() << kNoCaptureTimesUnderWine;
  struct Picture {
    const char* name;
    PictureTimes times;  // none at all: the file's content is its name
    int lastWrite[3];    // hour, minute, second of the file's last write
  };
  const Picture pictures[] = {
      // Camera A's clock, named in its own series.
      {"a_0001.jpg", {.original = "2023:07:14 10:00:10"}, {23, 0, 0}},
      // Camera B's pictures fall between A's.
      {"b_0001.jpg", {.original = "2023:07:14 10:00:05"}, {23, 0, 1}},
      // A burst within one second: the sub-seconds decide, not the names.
      {"b_0002.jpg", {.original = "2023:07:14 10:00:20", .originalSubSeconds = "75"}, {23, 0, 2}},
      {"b_0003.jpg", {.original = "2023:07:14 10:00:20", .originalSubSeconds = "5"}, {23, 0, 3}},
      // Equal times: natural name order (2 before 10).
      {"c_10.jpg", {.original = "2023:07:14 10:00:30"}, {23, 0, 4}},
      {"c_2.jpg", {.original = "2023:07:14 10:00:30"}, {23, 0, 5}},
      // Edited a year later: the image record's DateTime is never used.
      {"edited.jpg", {.imageDateTime = "2024:01:01 09:00:00", .original = "2023:07:14 10:00:15"}, {23, 0, 6}},
      // Only the later preferences.
      {"scan.jpg", {.digitized = "2023:07:14 10:00:12", .digitizedSubSeconds = "5"}, {23, 0, 7}},
      {"xmp.jpg", {.xmpOriginal = "2023-07-14T10:00:13+02:00"}, {23, 0, 8}},
      {"created.jpg", {.xmpCreated = "2023-07-14T10:00:14"}, {23, 0, 9}},
      // Only the edit time, a blank capture time: the last write.
      {"only_edit.jpg", {.imageDateTime = "2023:07:14 10:00:00", .original = "    :  :     :  :  "}, {10, 0, 25}},
      // No metadata, no picture, a damaged one: the last write.
      {"plain.jpg", {}, {10, 0, 1}},
      {"damaged.jpg", {}, {10, 0, 35}},
      {"text.jpg", {}, {10, 0, 11}},
  };
  for (const Picture& picture : pictures) {
    const std::string name = picture.name;
    std::string content = ExifJpeg(picture.times) + name;  // distinct contents
    if (name == "plain.jpg") content = ExifJpeg({}) + name;
    if (name == "damaged.jpg") content = ExifJpeg({.original = "2023:07:14 09:00:00"}).substr(0, 40) + name;
    if (name == "text.jpg") content = "not a picture";
    Write(name, content);
    SetLastWrite(name, picture.lastWrite[0], picture.lastWrite[1], picture.lastWrite[2]);
  }
  EXPECT_EQ(RunInOrder("a_0001.jpg", NumberingOrder::kTaken),
            (Names{"plain.jpg", "b_0001.jpg", "a_0001.jpg", "text.jpg", "scan.jpg", "xmp.jpg", "created.jpg",
                   "edited.jpg", "b_0003.jpg", "b_0002.jpg", "only_edit.jpg", "c_2.jpg", "c_10.jpg",
                   "damaged.jpg"}));
}

TEST_F(NumberingOrderTest, ModifiedOrdersByLastWriteThenFractionThenName) {
  Write("x.jpg", ExifJpeg({.original = "2020:01:01 00:00:00"}) + "x");  // its capture time does not count
  Write("y_10.jpg", "y10");
  Write("y_2.jpg", "y2");
  Write("z.jpg", "z");
  SetLastWrite("x.jpg", 12, 0, 0);
  SetLastWrite("y_10.jpg", 11, 0, 0);
  SetLastWrite("y_2.jpg", 11, 0, 0);
  SetLastWrite("z.jpg", 11, 0, 0, 500'000'000);
  EXPECT_EQ(RunInOrder("x.jpg", NumberingOrder::kModified), (Names{"y_2.jpg", "y_10.jpg", "z.jpg", "x.jpg"}));
}

// A directory numbered before moves up in the first pass, in the order
// taken; the second pass numbers the moved names from 1 in name order,
// which is that same order.
TEST_F(NumberingOrderTest, TheSecondPassKeepsTheOrderOfTheFirst) {
  if (RunningUnderWine()) GTEST_SKIP() << kNoCaptureTimesUnderWine;
  Write("01.jpg", ExifJpeg({.original = "2023:07:14 10:00:03"}) + "1");
  Write("02.jpg", ExifJpeg({.original = "2023:07:14 10:00:01"}) + "2");
  Write("03.jpg", ExifJpeg({.original = "2023:07:14 10:00:02"}) + "3");
  EXPECT_EQ(RunInOrder("01.jpg", NumberingOrder::kTaken), (Names{"02.jpg", "03.jpg", "01.jpg"}));
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "03.jpg"}));
}

TEST(NumberingOrderWords, NameTheOrdersAndReadBackOnlyThose) {
  for (NumberingOrder order : {NumberingOrder::kName, NumberingOrder::kTaken, NumberingOrder::kModified}) {
    NumberingOrder read = order == NumberingOrder::kName ? NumberingOrder::kTaken : NumberingOrder::kName;
    EXPECT_TRUE(ParseNumberingOrder(NumberingOrderWord(order), read));
    EXPECT_EQ(read, order);
  }
  NumberingOrder unchanged = NumberingOrder::kModified;
  for (const char* word : {"", "Taken", "date", "taken "}) EXPECT_FALSE(ParseNumberingOrder(word, unchanged)) << word;
  EXPECT_EQ(unchanged, NumberingOrder::kModified);
}

TEST(DescribeOrderedBy, SaysTheClockTimeAndWhereItCameFrom) {
  const WallClockTime time{1689330123, 450'000'000};  // 2023-07-14 10:22:03.45
  const WallClockTime whole{time.seconds, 0};
  const FileTime recorded{time, TimeSource::kExifOriginal, ClockOffset::kRecorded, 7200};
  struct Case {
    OrderedTime ordered;
    NumberingOrder order;
    const char* text;
  };
  const Case cases[] = {
      {{{time, TimeSource::kExifOriginal}}, NumberingOrder::kTaken,
       "2023-07-14 10:22:03.450 taken (Exif DateTimeOriginal)"},
      {{recorded}, NumberingOrder::kTaken, "2023-07-14 10:22:03.450 taken (Exif DateTimeOriginal, at +02:00)"},
      {{{whole, TimeSource::kXmpCreated}}, NumberingOrder::kTaken,
       "2023-07-14 10:22:03.000 taken (XMP photoshop:DateCreated)"},
      {{{whole, TimeSource::kAppleCreation, ClockOffset::kRecorded, -18000}}, NumberingOrder::kTaken,
       "2023-07-14 10:22:03.000 taken (Apple creation date, at -05:00)"},
      {{{whole, TimeSource::kVideoCreation, ClockOffset::kApplied, 19800}}, NumberingOrder::kTaken,
       "2023-07-14 10:22:03.000 taken (video creation time, UTC +05:30 applied)"},
      {{{whole, TimeSource::kVideoCreation}}, NumberingOrder::kTaken,
       "2023-07-14 10:22:03.000 taken (video creation time)"},
      {{{{time.seconds + 3720, time.nanoseconds}, TimeSource::kExifOriginal}, 3720}, NumberingOrder::kTaken,
       "2023-07-14 11:24:03.450 taken (Exif DateTimeOriginal, camera clock +1h02m)"},
      {{{time, TimeSource::kLastWrite}}, NumberingOrder::kModified, "2023-07-14 10:22:03.450 modified"},
      {{{time, TimeSource::kLastWrite}}, NumberingOrder::kTaken,
       "2023-07-14 10:22:03.450 modified (no capture time)"},
      {{{{-1, 0}, TimeSource::kLastWrite}}, NumberingOrder::kModified, "1969-12-31 23:59:59.000 modified"},
      {{}, NumberingOrder::kTaken, "unknown time"},
  };
  for (const Case& c : cases) EXPECT_EQ(DescribeOrderedBy(c.ordered, c.order), c.text);
}

}  // namespace
