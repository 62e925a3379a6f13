// Reading capture times and thumbnails on POSIX leaves the pictures as they
// were, their access times included.

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/os/CaptureTimes.h"
#include "platform/os/ThumbnailPicture.h"
#include "tests/support/TempDir.h"

namespace {

class PosixCaptureTimesTest : public TempDirTest {};

// With access times kept "relatively" (the usual mount), reading a file
// whose last access is not after its last write marks it read now.
TEST_F(PosixCaptureTimesTest, ReadingTimesAndThumbnailsLeavesEveryPicturesAccessTime) {
  const std::vector<const char*> names{"phone.heic", "phone.mov", "picture.png"};
  const struct timespec longAgo[2] = {{1500000000, 0}, {1500000000, 0}};  // access, write
  for (const char* name : names) {
    std::filesystem::copy_file(std::string(TARVINE_CAPTURE_TIMES_DATA "/") + name, PathOf(name));
    ASSERT_EQ(utimensat(AT_FDCWD, PathOf(name).c_str(), longAgo, 0), 0);
  }
  const std::vector<FileTime> times = ReadFileTimes(Dir(), names, FileTimeKind::kTaken, VideoClock::kUtc);
  for (size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_NE(times[i].source, TimeSource::kLastWrite);  // each was read
    ReadThumbnailPicture(Dir(), names[i], 48);
    struct stat info;
    ASSERT_EQ(stat(PathOf(names[i]).c_str(), &info), 0);
    EXPECT_EQ(info.st_atim.tv_sec, 1500000000);
  }
}

}  // namespace
