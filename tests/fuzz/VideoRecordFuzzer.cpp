// ReadVideoRecord, which reads the boxes of whatever files look like videos,
// for any content: it answers (no crash, no hang: the run's timeout), every
// time it gives is one a clock can show, a zone is within a day, and the
// same bytes give the same answer again.
//
// Input: the file's bytes.

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/os/libav/VideoCreationTime.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/MemoryBytes.h"

namespace {

std::string Describe(const std::optional<WallClockTime>& time) {
  if (!time) return "none";
  return std::to_string(time->seconds) + "." + std::to_string(time->nanoseconds);
}

// Year 1 to 9999 of the wall clock, or none.
bool OnAClock(const std::optional<WallClockTime>& time) {
  return !time || (time->seconds >= -62135596800 && time->seconds < 253402300800 && time->nanoseconds >= 0 &&
                   time->nanoseconds < 1000000000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryBytes bytes(data, size);
  const VideoRecord record = ReadVideoRecord(bytes);
  CHECK(OnAClock(record.appleCreation), "no clock shows Apple's " + Describe(record.appleCreation));
  CHECK(OnAClock(record.creation), "no clock shows the creation time " + Describe(record.creation));
  CHECK(!record.appleZone || (*record.appleZone > -86400 && *record.appleZone < 86400),
        "a zone of " + std::to_string(*record.appleZone) + " seconds");
  MemoryBytes again(data, size);
  const VideoRecord second = ReadVideoRecord(again);
  CHECK(second.appleCreation == record.appleCreation && second.creation == record.creation &&
            second.appleZone == record.appleZone && second.camera == record.camera,
        "the same bytes gave " + Describe(record.creation) + ", then " + Describe(second.creation));
  return 0;
}
