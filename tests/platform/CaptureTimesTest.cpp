#include "platform/os/CaptureTimes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <mutex>
#include <set>
#include <thread>
#include <string>
#include <vector>

#include "platform/os/CaptureTimeText.h"
#include "platform/os/OnEveryCore.h"
#include "platform/os/VideoFile.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestSystem.h"

namespace {

// The files of tests/data/capture-times, one of each kind a camera or phone
// writes, read as one directory: each gives the time, source, offset and
// model it records (the videos' UTC times in Paris's summer, two hours on).
TEST(ReadFileTimes, ReadsEveryKindOfPictureAndVideoOnOneClock) {
  struct Case {
    const char* name;
    const char* time;  // on the wall clock, to the millisecond
    TimeSource source;
    ClockOffset offsetKind;
    int32_t offsetSeconds;
    const char* camera;
  };
  const Case cases[] = {
      {"phone.heic", "2023-07-14 10:22:03.250", TimeSource::kExifOriginal, ClockOffset::kRecorded, 7200, "iPhone 12"},
      {"phone.mov", "2023-07-14 10:22:04.000", TimeSource::kAppleCreation, ClockOffset::kRecorded, 7200, "iPhone 12"},
      {"digitized.avif", "2023-07-14 10:22:05.000", TimeSource::kExifDigitized, ClockOffset::kNone, 0, ""},
      {"camera.mp4", "2023-07-14 10:22:06.000", TimeSource::kVideoCreation, ClockOffset::kApplied, 7200, ""},
      {"picture.png", "2023-07-14 10:22:07.000", TimeSource::kExifOriginal, ClockOffset::kNone, 0, "Canon EOS R5"},
      {"picture.webp", "2023-07-14 10:22:09.000", TimeSource::kExifOriginal, ClockOffset::kNone, 0, ""},
      {"undated.mp4", nullptr, TimeSource::kLastWrite, ClockOffset::kNone, 0, ""},
  };
  std::vector<const char*> names;
  for (const Case& c : cases) names.push_back(c.name);
  CameraModels cameras;
  std::vector<FileTime> times;
  {
    const ScopedEnvironment zone("TZ", "Europe/Paris");
    tzset();
    times = ReadFileTimes(TARVINE_CAPTURE_TIMES_DATA "/", names, FileTimeKind::kTaken, VideoClock::kUtc, &cameras);
  }
  tzset();
  ASSERT_EQ(times.size(), names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.name);
    if (RunningUnderWine() || !c.time) {  // Wine's property store reads none of them
      EXPECT_EQ(times[i].source, TimeSource::kLastWrite);
      continue;
    }
    EXPECT_EQ(WallClockMillisecondsText(times[i].time), c.time);
    EXPECT_EQ(times[i].source, c.source);
    EXPECT_EQ(times[i].offsetKind, c.offsetKind);
    EXPECT_EQ(times[i].offsetSeconds, c.offsetSeconds);
    EXPECT_EQ(times[i].camera == 0 ? "" : cameras.at(times[i].camera - 1), c.camera);
  }
}

TEST(ReadFileTimes, AVideoClockOfLocalTakesTheCreationTimeAsWritten) {
  if (RunningUnderWine()) GTEST_SKIP() << kNoCaptureTimesUnderWine;
  const std::vector<const char*> names{"camera.mp4", "phone.mov"};
  const std::vector<FileTime> times =
      ReadFileTimes(TARVINE_CAPTURE_TIMES_DATA "/", names, FileTimeKind::kTaken, VideoClock::kLocal);
  EXPECT_EQ(WallClockMillisecondsText(times[0].time), "2023-07-14 08:22:06.000");
  EXPECT_EQ(times[0].offsetKind, ClockOffset::kNone);
  EXPECT_EQ(WallClockMillisecondsText(times[1].time), "2023-07-14 10:22:04.000");  // Apple's date wins either way
}

TEST(CaptureTimeText, ReadsZonesAndIsoTimesAndWritesMilliseconds) {
  struct Zone {
    const char* text;
    bool read;
    int32_t seconds;
  };
  for (const Zone& c : {Zone{"+02:00", true, 7200}, Zone{"-05:30", true, -19800}, Zone{"+0200", true, 7200},
                        Zone{"Z", true, 0}, Zone{"", false, 1}, Zone{"+2", false, 1}, Zone{"+24:00", false, 1},
                        Zone{"+02:00 ", false, 1}}) {
    int32_t seconds = 1;
    EXPECT_EQ(ParseZoneOffset(c.text, seconds), c.read) << c.text;
    EXPECT_EQ(seconds, c.seconds) << c.text;
  }
  WallClockTime time;
  std::optional<int32_t> zone;
  EXPECT_TRUE(ParseIsoDateTime("2023-07-14T10:22:03+0200", time, &zone));
  EXPECT_EQ(WallClockMillisecondsText(time), "2023-07-14 10:22:03.000");
  EXPECT_EQ(zone, 7200);
  EXPECT_TRUE(ParseIsoDateTime("2023-07-14T08:22:03.250000Z", time, &zone));
  EXPECT_EQ(WallClockMillisecondsText(time), "2023-07-14 08:22:03.250");
  EXPECT_EQ(zone, 0);
  EXPECT_TRUE(ParseIsoDateTime("2023-07-14T10:22:03", time, &zone));
  EXPECT_EQ(zone, std::nullopt);
  EXPECT_FALSE(ParseIsoDateTime("2023-07-14T10:22:03+2", time, &zone));
  EXPECT_EQ(WallClockMillisecondsText({-1, 999'999'999}), "1969-12-31 23:59:59.999");
}

class TextBytes : public PictureBytes {
 public:
  explicit TextBytes(std::string text) : text_(std::move(text)) {}
  uint64_t Size() const override { return text_.size(); }
  size_t ReadAt(uint64_t offset, unsigned char* into, size_t count) override {
    if (offset >= text_.size()) return 0;
    return text_.copy(reinterpret_cast<char*>(into), count, static_cast<size_t>(offset));
  }

 private:
  std::string text_;
};

TEST(LooksLikeVideo, TakesTheBoxFormatsVideosButNotItsStillPictures) {
  const std::string box("\0\0\0\x18", 4);
  struct Case {
    std::string head;
    bool video;
  };
  for (const Case& c : {Case{box + "ftypmp42\0\0\0\0", true}, Case{box + "ftypqt  ", true}, Case{box + "moov", true},
                        Case{box + "ftypheic\0\0\0\0", false}, Case{box + "ftypcrx ", false},
                        Case{box + "ftypavif", false}, Case{"\xFF\xD8\xFF\xE1\0\0\0\0", false}, Case{box, false}}) {
    TextBytes bytes(c.head);
    EXPECT_EQ(LooksLikeVideo(bytes), c.video) << c.head.substr(4);
  }
}

TEST(OnEveryCore, CallsTheWorkOnceForEachItemAndNotAtAllForNone) {
  for (const size_t count : {size_t{0}, size_t{1}, size_t{17}, size_t{1000}}) {
    std::vector<std::atomic<int>> calls(count);
    std::mutex seenTurn;
    std::set<std::thread::id> threads;
    OnEveryCore(count, [&](size_t i) {
      ++calls[i];
      const std::lock_guard<std::mutex> lock(seenTurn);
      threads.insert(std::this_thread::get_id());
    });
    for (size_t i = 0; i < count; ++i) EXPECT_EQ(calls[i], 1) << i << " of " << count;
    EXPECT_LE(threads.size(), std::max(1u, std::thread::hardware_concurrency())) << count;
  }
}

}  // namespace
