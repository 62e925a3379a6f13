#include "platform/os/CaptureTimeText.h"

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

bool ParseXmpDateTime(const char* text, WallClockTime& time) {
  const char* at = text;
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
    if (*at == 'Z') {
      ++at;
    } else if (*at == '+' || *at == '-') {
      int zoneHours, zoneMinutes;
      ++at;
      if (!ReadDigits(at, 2, zoneHours) || *at++ != ':' || !ReadDigits(at, 2, zoneMinutes)) return false;
    }
  }
  if (*at != '\0' || !ValidFields(year, month, day, hour, minute, second)) return false;
  time = {WallClockSeconds(year, month, day, hour, minute, second), nanoseconds};
  return true;
}
