#pragma once
// When the files of one directory were taken (the capture time their
// pictures record) or last written: the times a run can number them by.
// The system's sibling folder reads them; nothing here names the library it
// reads pictures with.

#include <cstdint>
#include <string>
#include <vector>

// Where a file's time came from, in the order of preference for the time a
// picture was taken. The time the picture was last edited (the plain date
// and time of its image record) is never one of them: an edited picture
// would move to the day of its edit.
enum class TimeSource : uint8_t {
  kExifOriginal,   // Exif DateTimeOriginal, with SubSecTimeOriginal
  kExifDigitized,  // Exif DateTimeDigitized, with SubSecTimeDigitized
  kXmpOriginal,    // XMP exif:DateTimeOriginal
  kXmpCreated,     // XMP photoshop:DateCreated
  kAppleCreation,  // a video's com.apple.quicktime.creationdate, with its own offset
  kVideoCreation,  // a video container's creation time (UTC, or local by VideoClock)
  kLastWrite,      // the file's last-write time: no capture time, or not asked for
  kNone,           // not even that: the name vanished or cannot be examined
};

// A moment on the local wall clock: the camera's clock for a capture time,
// the local time zone's for a last-write time, so both compare alike.
// Ordered by seconds, then nanoseconds.
struct WallClockTime {
  int64_t seconds = 0;      // since 1970-01-01 00:00:00 of that clock
  int32_t nanoseconds = 0;  // 0 to 999,999,999
  friend bool operator==(const WallClockTime&, const WallClockTime&) = default;
  friend auto operator<=>(const WallClockTime&, const WallClockTime&) = default;
};

// What a time's offset from UTC says: nothing known, the offset the file
// recorded beside a wall-clock time (shown, never applied), or the offset
// that turned a UTC time into the local wall clock.
enum class ClockOffset : uint8_t { kNone, kRecorded, kApplied };

struct FileTime {
  WallClockTime time;  // zero when the source is kNone
  TimeSource source = TimeSource::kNone;
  ClockOffset offsetKind = ClockOffset::kNone;
  int32_t offsetSeconds = 0;  // east of UTC, when offsetKind says one
  uint32_t camera = 0;        // 1 + the camera model's place in CameraModels; 0: none recorded
};

// A video's creation time is UTC by its format's definition; some cameras
// write their local clock there instead.
enum class VideoClock : uint8_t {
  kUtc,    // turned into local time with the machine's zone rules for that date
  kLocal,  // taken as the wall clock
};

// The camera models the files of one reading record (Exif Model, or a
// phone video's model), each once, in the order first met.
using CameraModels = std::vector<std::string>;

enum class FileTimeKind {
  kTaken,     // the capture time, else the last-write time
  kModified,  // the last-write time alone; no file is opened
};

// The times of `names`, bare names of `directory` ("pics/", or "" for the
// current directory), one for each name in the same order. Capture times are
// read from the headers of the files alone, never their whole pictures, and
// many files at once, on every core. A name that is no regular file, or
// cannot be opened, read or made sense of, has its last-write time: a
// damaged picture is never an error, and a link is never followed (its own
// time counts). Never waits on a pipe or a device.
// Videos (MP4, MOV, M4V, 3GP) give their Apple creation date when they
// record one, else their creation time read by `videoClock`. `cameras`,
// when given, receives the models the files' `camera` fields point into.
std::vector<FileTime> ReadFileTimes(const std::string& directory, const std::vector<const char*>& names,
                                    FileTimeKind kind, VideoClock videoClock = VideoClock::kUtc,
                                    CameraModels* cameras = nullptr);
