#pragma once
// The order in which a run numbers the files: the order a file manager shows
// their names in, the order they were taken, or the order they were last
// written.

#include <string>
#include <vector>

#include "platform/os/CaptureTimes.h"

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

// Puts `names` (bare names of `directory`, in natural order) into `order`:
// by time, on the local wall clock, then by fractions of a second, then in
// natural order; so a burst within one second keeps its names' order and
// files of equal times land where their names put them. `orderedBy`, when
// given, receives the time each name was ordered by, in the new order.
void PutInNumberingOrder(std::vector<const char*>& names, const std::string& directory, NumberingOrder order,
                         std::vector<FileTime>* orderedBy = nullptr);

// What a name was ordered by, for one column of a dry run's explanation:
// the time as the clock showed it, with the fraction a picture recorded, and
// where the time came from.
//   Exif original 2023-07-14 10:22:03.45 => "2023-07-14 10:22:03.45 taken (Exif DateTimeOriginal)"
//   last write 2023-07-14 10:22:03.5      => "2023-07-14 10:22:03.5 modified"
//   last write, ordering by taken         => "2023-07-14 10:22:03.5 modified (no capture time)"
//   kNone                                 => "unknown time"
std::string DescribeOrderedBy(const FileTime& time, NumberingOrder order);
