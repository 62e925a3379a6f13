// The times of a directory's files on POSIX: last-write times from fstatat,
// capture times from the files' headers, read on every core through Exiv2
// (pictures) and the video reader (PosixVideoReader).

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

#include "platform/os/CameraTable.h"
#include "platform/os/CaptureTimeText.h"
#include "platform/os/CaptureTimes.h"
#include "platform/os/OnEveryCore.h"
#include "platform/os/VideoClock.h"
#include "platform/os/VideoFile.h"
#include "platform/os/exiv2/PictureCaptureTime.h"
#include "platform/os/posix/OpenFileBytes.h"
#include "platform/os/posix/PosixFileAt.h"

namespace {

// A file's last-write time on the local wall clock.
FileTime LastWriteOf(const struct stat& info) {
  struct tm local;
  if (!localtime_r(&info.st_mtim.tv_sec, &local)) return {};
  const int64_t seconds = WallClockSeconds(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                           local.tm_min, local.tm_sec);
  return {{seconds, static_cast<int32_t>(info.st_mtim.tv_nsec)}, TimeSource::kLastWrite};
}

FileTime LastWriteAt(int directory, const char* name) {
  struct stat info;
  if (fstatat(directory, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return {};
  return LastWriteOf(info);
}

// Whether a video met while the reader of videos is still loading may wait
// for a second round, so that the pictures go on meanwhile; and whether it
// was left for that round.
struct Reading {
  bool videoMayWait = false;
  bool videoLeft = false;
};

// The capture time of a picture or video in `bytes`; source kNone when it
// records none. A video is no picture Exiv2 reads: it goes to the reader
// of videos alone.
FileTime CaptureTimeIn(OpenFileBytes& bytes, VideoClock videoClock, CameraTable& cameras, Reading& reading) {
  std::string camera;
  const bool video = LooksLikeVideo(bytes);
  FileTime taken = video ? FileTime{} : CaptureTimeInPicture(bytes, &camera);
  if (video) {
    if (reading.videoMayWait && !VideoReaderReady()) {
      reading.videoLeft = true;
      return {};
    }
    const VideoRecord video = ReadVideoRecordOnce(bytes);
    taken = VideoFileTime(video, videoClock);
    camera = video.camera;
  }
  if (taken.source != TimeSource::kNone) taken.camera = cameras.Place(camera);
  return taken;
}

// The capture time of a regular file, else its last-write time.
FileTime TakenAt(int directory, const char* name, VideoClock videoClock, CameraTable& cameras, Reading& reading) {
  const int fd = OpenPictureAt(directory, name);
  if (fd < 0) return LastWriteAt(directory, name);
  struct stat info;
  FileTime time;
  if (fstat(fd, &info) == 0) {
    if (S_ISREG(info.st_mode)) {
      OpenFileBytes bytes(fd, static_cast<uint64_t>(info.st_size));
      time = CaptureTimeIn(bytes, videoClock, cameras, reading);
    }
    // The local time of the last write is worked out only when it is used:
    // localtime_r takes the process's time-zone lock at every call.
    if (time.source == TimeSource::kNone) time = LastWriteOf(info);
  }
  close(fd);
  return time;
}

}  // namespace

std::vector<FileTime> ReadFileTimes(const std::string& directory, const std::vector<const char*>& names,
                                    FileTimeKind kind, VideoClock videoClock, CameraModels* cameras) {
  std::vector<FileTime> times(names.size());
  const int fd = open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return times;
  if (kind == FileTimeKind::kModified) {
    OnEveryCore(names.size(), [&](size_t i) { times[i] = LastWriteAt(fd, names[i]); });
  } else {
    CameraTable table(cameras);
    if (std::any_of(names.begin(), names.end(), NamedLikeVideo)) LoadVideoReaderAhead();
    std::mutex laterTurn;
    std::vector<size_t> later;  // the videos met while their reader was loading
    OnEveryCore(names.size(), [&](size_t i) {
      Reading reading{true, false};
      times[i] = TakenAt(fd, names[i], videoClock, table, reading);
      if (reading.videoLeft) {
        const std::lock_guard<std::mutex> lock(laterTurn);
        later.push_back(i);
      }
    });
    OnEveryCore(later.size(), [&](size_t k) {
      Reading reading;
      times[later[k]] = TakenAt(fd, names[later[k]], videoClock, table, reading);
    });
  }
  close(fd);
  return times;
}
