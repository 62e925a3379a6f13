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

struct FileTime {
  WallClockTime time;  // zero when the source is kNone
  TimeSource source = TimeSource::kNone;
};

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
std::vector<FileTime> ReadFileTimes(const std::string& directory, const std::vector<const char*>& names,
                                    FileTimeKind kind);
