#pragma once
// The texts pictures record their capture times in, read into wall-clock
// times. Whatever reads the pictures (a library on one system, the system's
// own reader on another) hands its texts to these.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/os/CaptureTimes.h"

// Seconds since 1970-01-01 00:00:00 of a wall clock, for a date and time of
// that clock (proleptic Gregorian calendar; no range check).
//   1970, 1, 1, 0, 0, 0   => 0
//   2000, 3, 1, 12, 0, 1  => 951912001
//   1969, 12, 31, 23, 59, 59 => -1
int64_t WallClockSeconds(int year, int month, int day, int hour, int minute, int second);

// The text of a wall-clock time, the inverse of WallClockSeconds: the date
// and time, then the fraction of a second without its trailing zeros.
//   {0, 0}                  => "1970-01-01 00:00:00"
//   {951912001, 450000000}  => "2000-03-01 12:00:01.45"
//   {-1, 0}                 => "1969-12-31 23:59:59"
std::string WallClockText(const WallClockTime& time);

// The text of a wall-clock time to the millisecond, always the same width
// for the years 0 to 9999 (the fraction is cut, never rounded up).
//   {0, 0}                  => "1970-01-01 00:00:00.000"
//   {951912001, 450000000}  => "2000-03-01 12:00:01.450"
//   {-1, 999999999}         => "1969-12-31 23:59:59.999"
std::string WallClockMillisecondsText(const WallClockTime& time);

// An Exif date and time, "YYYY:MM:DD HH:MM:SS" (dashes or colons between the
// date's fields, as some writers put them), whatever follows it. False for a
// blank or zero date, a field out of range, or another shape; `time` is then
// unchanged.
//   "2023:07:14 10:22:03"  => true, 2023-07-14 10:22:03
//   "2023-07-14 10:22:03"  => true, the same
//   "2023:07:14 10:22:03 " => true (what follows is not read)
//   "0000:00:00 00:00:00"  => false
//   "    :  :     :  :  "  => false
//   "2023:13:14 10:22:03"  => false (month 13)
//   "2023:07:14"           => false
bool ParseExifDateTime(const char* text, WallClockTime& time);

// The fraction of a second in an Exif sub-second text: its leading digits
// (after any blanks) as the digits after a decimal point, to nanoseconds.
//   "45"   => 450000000
//   "045"  => 45000000
//   " 7 "  => 700000000
//   "1234567891" => 123456789 (digits past the ninth are dropped)
//   ""     => 0
//   "x1"   => 0
int32_t SubSecondNanoseconds(const char* text);

// An XMP date (ISO 8601): "YYYY", "YYYY-MM", "YYYY-MM-DD", then optionally
// "Thh:mm", ":ss" and a fraction, then optionally a zone ("Z", "+hh:mm" or "+hhmm"),
// which is ignored: the time is read as the clock showed it. Missing fields
// are the first month, day, hour, minute or second. False for anything else.
//   "2023-07-14T10:22:03.45+02:00" => true, 2023-07-14 10:22:03.45
//   "2023-07-14T10:22"            => true, 2023-07-14 10:22:00
//   "2023-07"                     => true, 2023-07-01 00:00:00
//   "2023-07-14 10:22:03"         => false (a blank, no "T")
//   "July 2023"                   => false
bool ParseXmpDateTime(const char* text, WallClockTime& time);

// An ISO 8601 date as ParseXmpDateTime reads it; `zone`, when given,
// receives the zone's offset in seconds east of UTC, or nothing when the
// text names no zone (it is unchanged when the text is refused).
//   "2023-07-14T10:22:03+0200"         => true, 2023-07-14 10:22:03, zone 7200
//   "2023-07-14T08:22:03.250000Z"      => true, 2023-07-14 08:22:03.25, zone 0
//   "2023-07-14T10:22:03"              => true, no zone
//   "2023-07-14T10:22:03+2"            => false
bool ParseIsoDateTime(const char* text, WallClockTime& time, std::optional<int32_t>* zone);

// A time zone's offset as Exif OffsetTime tags and ISO 8601 write it, in
// seconds east of UTC. False for anything else; `seconds` is then unchanged.
//   "+02:00" => 7200;  "-05:30" => -19800;  "+0200" => 7200;  "Z" => 0
//   "" => false;  "+2" => false;  "+24:00" => false;  "+02:00 " => false
bool ParseZoneOffset(const char* text, int32_t& seconds);
