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

namespace {

class MemoryBytes : public PictureBytes {
 public:
  MemoryBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, unsigned char* into, size_t count) override {
    if (offset >= size_) return 0;
    const size_t there = std::min<size_t>(count, size_ - offset);
    std::memcpy(into, data_ + offset, there);
    return there;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

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
