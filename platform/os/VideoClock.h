#pragma once
// A video's creation time on the one wall clock pictures are ordered by.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/os/CaptureTimes.h"

// What a video file records of when it was made, as its reader found it.
struct VideoRecord {
  // Apple's creation date (com.apple.quicktime.creationdate): the phone's
  // wall clock, with the zone it was in when the text names one.
  std::optional<WallClockTime> appleCreation;
  std::optional<int32_t> appleZone;
  // The container's creation time, as written: UTC by the format's
  // definition, the camera's local clock for some cameras.
  std::optional<WallClockTime> creation;
  std::string camera;  // the model it records, or ""
};

// The time a video is ordered by: Apple's creation date as written (its
// zone recorded beside it), else the creation time on the local wall clock,
// turned from UTC with the machine's zone rules for that date unless
// `clock` says the camera wrote local time. Source kNone when it records
// neither.
//   apple 2023-07-14 10:22:03 zone +0200        => 10:22:03, kAppleCreation, recorded +7200
//   creation 2023-07-14 08:22:03, kUtc, in Paris => 10:22:03, kVideoCreation, applied +7200
//   creation 2023-07-14 08:22:03, kLocal         => 08:22:03, kVideoCreation, no offset
FileTime VideoFileTime(const VideoRecord& record, VideoClock clock);
