#pragma once
// The order in which a run numbers the files: the order a file manager shows
// their names in, the order they were taken, or the order they were last
// written.

#include <string>
#include <vector>

#include "platform/os/CaptureTimes.h"
#include "renumber/ClockShift.h"

enum class NumberingOrder {
  kName,      // natural order of the names: what a file manager shows
  kTaken,     // capture time (a picture's own), else last-write time
  kModified,  // last-write time
};

// The order's word on the command line and in the settings file, and back.
//   kName => "name", kTaken => "taken", kModified => "modified"
const char* NumberingOrderWord(NumberingOrder order);
// False for any other text; `order` is then unchanged.
//   "taken" => kTaken;  "Taken", "", "date" => false
bool ParseNumberingOrder(const std::string& word, NumberingOrder& order);

// How capture times are put on one clock: how videos' creation times are
// read, and the cameras whose clocks were wrong.
struct TakenClock {
  VideoClock video = VideoClock::kUtc;
  std::vector<ClockShift> shifts;
};

// The time a name was ordered by: the time its file gave, and the camera
// clock's shift added to it (already in `time`).
struct OrderedTime {
  FileTime time;
  int64_t shift = 0;
};

// Puts `names` (bare names of `directory`, in natural order) into `order`:
// by time, on the local wall clock, then by fractions of a second, then in
// natural order; so a burst within one second keeps its names' order and
// files of equal times land where their names put them. Ordered by taken,
// each capture time is first moved by its camera's shift in `clock`.
// `orderedBy`, when given, receives the time each name was ordered by, in
// the new order.
void PutInNumberingOrder(std::vector<const char*>& names, const std::string& directory, NumberingOrder order,
                         std::vector<OrderedTime>* orderedBy = nullptr, const TakenClock& clock = {});

// What a name was ordered by, for one column of a dry run's explanation:
// the time to the millisecond (always the same width), where it came from,
// the offset from UTC the file recorded or that was applied to it, and a
// camera clock's shift.
//   Exif original 10:22:03.45                => "2023-07-14 10:22:03.450 taken (Exif DateTimeOriginal)"
//   the same, OffsetTimeOriginal +02:00       => "2023-07-14 10:22:03.450 taken (Exif DateTimeOriginal, at +02:00)"
//   Apple creation date, zone -05:00          => "2023-07-14 10:22:03.000 taken (Apple creation date, at -05:00)"
//   video creation time, UTC turned +02:00    => "2023-07-14 10:22:03.000 taken (video creation time, UTC +02:00 applied)"
//   video creation time read as local         => "2023-07-14 10:22:03.000 taken (video creation time)"
//   Exif original shifted by 3720 s           => "2023-07-14 11:24:03.450 taken (Exif DateTimeOriginal, camera clock +1h02m)"
//   last write 2023-07-14 10:22:03.5          => "2023-07-14 10:22:03.500 modified"
//   last write, ordering by taken             => "2023-07-14 10:22:03.500 modified (no capture time)"
//   kNone                                     => "unknown time"
std::string DescribeOrderedBy(const OrderedTime& time, NumberingOrder order);
