#include "platform/os/CaptureTimeText.h"

#include <cinttypes>
#include <cstdio>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads exactly `count` digits at `at` into `value` and moves past them.
bool ReadDigits(const char*& at, int count, int& value) {
  value = 0;
  for (int i = 0; i < count; ++i, ++at) {
    if (!IsDigit(*at)) return false;
    value = value * 10 + (*at - '0');
  }
  return true;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// Whether the fields make a date and time a clock can show (a leap second
// included).
bool ValidFields(int year, int month, int day, int hour, int minute, int second) {
  return year > 0 && InRange(month, 1, 12) && InRange(day, 1, 31) && InRange(hour, 0, 23) &&
         InRange(minute, 0, 59) && InRange(second, 0, 60);
}

// Reads a fraction's digits at `at` (after its point) and moves past them all.
int32_t FractionDigits(const char*& at) {
  int32_t nanoseconds = 0;
  int32_t place = 100'000'000;
  for (; IsDigit(*at); ++at) {
    nanoseconds += (*at - '0') * place;
    place /= 10;
  }
  return nanoseconds;
}

// A zone at `at`: "Z", or a sign, two digits of hours up to 23 and two of
// minutes up to 59, with or without a colon between; `at` moves past it.
bool ReadZone(const char*& at, int32_t& seconds) {
  if (*at == 'Z') {
    ++at;
    seconds = 0;
    return true;
  }
  if (*at != '+' && *at != '-') return false;
  const int sign = *at++ == '-' ? -1 : 1;
  int hours = 0, minutes = 0;
  if (!ReadDigits(at, 2, hours)) return false;
  if (*at == ':') ++at;
  if (!ReadDigits(at, 2, minutes) || hours > 23 || minutes > 59) return false;
  seconds = sign * (hours * 3600 + minutes * 60);
  return true;
}

}  // namespace

int64_t WallClockSeconds(int year, int month, int day, int hour, int minute, int second) {
  // Days since 1970-01-01 of the proleptic Gregorian calendar, counted from
  // March so that the leap day ends a year.
  const int64_t y = year - (month <= 2 ? 1 : 0);
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yearOfEra = y - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const int64_t days = era * 146097 + dayOfEra - 719468;
  return days * 86400 + hour * 3600 + minute * 60 + second;
}

std::string WallClockText(const WallClockTime& time) {
  const int64_t days = (time.seconds >= 0 ? time.seconds : time.seconds - 86399) / 86400;
  const int64_t secondOfDay = time.seconds - days * 86400;
  // The civil date of a day count since 1970-01-01, counted from March.
  const int64_t shifted = days + 719468;
  const int64_t era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
  const int64_t dayOfEra = shifted - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  const int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
  const int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
  const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  char text[64];
  int length = std::snprintf(text, sizeof text, "%04" PRId64 "-%02" PRId64 "-%02" PRId64 " %02d:%02d:%02d", year,
                             month, day, static_cast<int>(secondOfDay / 3600),
                             static_cast<int>(secondOfDay / 60 % 60), static_cast<int>(secondOfDay % 60));
  if (time.nanoseconds > 0) {
    char fraction[16];
    std::snprintf(fraction, sizeof fraction, ".%09d", static_cast<int>(time.nanoseconds));
    std::string digits = fraction;
    while (digits.back() == '0') digits.pop_back();
    std::snprintf(text + length, sizeof text - length, "%s", digits.c_str());
  }
  return text;
}

std::string WallClockMillisecondsText(const WallClockTime& time) {
  char fraction[8];
  std::snprintf(fraction, sizeof fraction, ".%03d", static_cast<int>(time.nanoseconds / 1000000 % 1000));
  return WallClockText({time.seconds, 0}) + fraction;
}

bool ParseExifDateTime(const char* text, WallClockTime& time) {
  const char* at = text;
  int year, month, day, hour, minute, second;
  const auto dateSeparator = [&at] { return (*at == ':' || *at == '-') && ++at; };
  const auto expect = [&at](char c) { return *at == c && ++at; };
  if (!ReadDigits(at, 4, year) || !dateSeparator() || !ReadDigits(at, 2, month) || !dateSeparator() ||
      !ReadDigits(at, 2, day) || !expect(' ') || !ReadDigits(at, 2, hour) || !expect(':') ||
      !ReadDigits(at, 2, minute) || !expect(':') || !ReadDigits(at, 2, second)) {
    return false;
  }
  if (!ValidFields(year, month, day, hour, minute, second)) return false;
  time = {WallClockSeconds(year, month, day, hour, minute, second), 0};
  return true;
}

int32_t SubSecondNanoseconds(const char* text) {
  while (*text == ' ') ++text;
  return FractionDigits(text);
}

bool ParseZoneOffset(const char* text, int32_t& seconds) {
  const char* at = text;
  int32_t found = 0;
  if (!ReadZone(at, found) || *at != '\0') return false;
  seconds = found;
  return true;
}

bool ParseXmpDateTime(const char* text, WallClockTime& time) { return ParseIsoDateTime(text, time, nullptr); }

bool ParseIsoDateTime(const char* text, WallClockTime& time, std::optional<int32_t>* zone) {
  const char* at = text;
  std::optional<int32_t> zoneFound;
  int year = 0, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  int32_t nanoseconds = 0;
  if (!ReadDigits(at, 4, year)) return false;
  if (*at == '-' && (++at, !ReadDigits(at, 2, month))) return false;
  if (*at == '-' && (++at, !ReadDigits(at, 2, day))) return false;
  if (*at == 'T') {
    ++at;
    if (!ReadDigits(at, 2, hour) || *at++ != ':' || !ReadDigits(at, 2, minute)) return false;
    if (*at == ':') {
      ++at;
      if (!ReadDigits(at, 2, second)) return false;
      if (*at == '.' || *at == ',') {
        ++at;
        if (!IsDigit(*at)) return false;
        nanoseconds = FractionDigits(at);
      }
    }
    // The zone tells where the clock was, not what it showed.
    if (*at != '\0') {
      int32_t offset = 0;
      if (!ReadZone(at, offset)) return false;
      zoneFound = offset;
    }
  }
  if (*at != '\0' || !ValidFields(year, month, day, hour, minute, second)) return false;
  time = {WallClockSeconds(year, month, day, hour, minute, second), nanoseconds};
  if (zone) *zone = zoneFound;
  return true;
}
