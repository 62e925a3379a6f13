#include "platform/os/VideoClock.h"

#include <ctime>

#include "platform/os/CaptureTimeText.h"
#include "platform/os/LocalTime.h"

FileTime VideoFileTime(const VideoRecord& record, VideoClock clock) {
  FileTime time;
  if (record.appleCreation) {
    time.time = *record.appleCreation;
    time.source = TimeSource::kAppleCreation;
    if (record.appleZone) {
      time.offsetKind = ClockOffset::kRecorded;
      time.offsetSeconds = *record.appleZone;
    }
    return time;
  }
  if (!record.creation) return {};
  time.time = *record.creation;
  time.source = TimeSource::kVideoCreation;
  if (clock == VideoClock::kLocal) return time;
  std::tm local{};
  if (!LocalTimeOf(record.creation->seconds, local)) return time;  // the clock cannot tell: as written
  time.time.seconds = WallClockSeconds(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                       local.tm_min, local.tm_sec);
  time.offsetKind = ClockOffset::kApplied;
  time.offsetSeconds = static_cast<int32_t>(time.time.seconds - record.creation->seconds);
  return time;
}
