// CaptureTimeInPicture, which reads the headers of whatever files a folder
// holds, for any content: it answers (no crash, no hang: the run's timeout),
// its answer is a time a clock can show or none, and the same bytes give the
// same answer again.
//
// Input: the file's bytes.

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/os/exiv2/PictureCaptureTime.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/MemoryBytes.h"

namespace {

std::string Describe(const FileTime& time) {
  return "{" + std::to_string(time.time.seconds) + "." + std::to_string(time.time.nanoseconds) + ", source " +
         std::to_string(static_cast<int>(time.source)) + "}";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryBytes bytes(data, size);
  const FileTime time = CaptureTimeInPicture(bytes);
  CHECK(time.source <= TimeSource::kXmpCreated || time.source == TimeSource::kNone,
        "a picture's own time came from elsewhere: " + Describe(time));
  if (time.source == TimeSource::kNone) {
    CHECK(time.time.seconds == 0 && time.time.nanoseconds == 0, "no time, yet a value: " + Describe(time));
  } else {
    // Year 1 to 9999 of the wall clock.
    CHECK(time.time.seconds >= -62135596800 && time.time.seconds < 253402300800 && time.time.nanoseconds >= 0 &&
              time.time.nanoseconds < 1000000000,
          "no clock shows " + Describe(time));
  }
  MemoryBytes again(data, size);
  const FileTime second = CaptureTimeInPicture(again);
  CHECK(second.time == time.time && second.source == time.source,
        "the same bytes gave " + Describe(time) + ", then " + Describe(second));
  return 0;
}
