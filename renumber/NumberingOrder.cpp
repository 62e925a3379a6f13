#include "renumber/NumberingOrder.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <numeric>

namespace {

const struct {
  NumberingOrder order;
  const char* word;
} kWords[] = {
    {NumberingOrder::kName, "name"},
    {NumberingOrder::kTaken, "taken"},
    {NumberingOrder::kModified, "modified"},
};

// "YYYY-MM-DD hh:mm:ss" and the fraction without its trailing zeros.
std::string ClockText(const WallClockTime& time) {
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

const char* SourceText(TimeSource source) {
  switch (source) {
    case TimeSource::kExifOriginal: return "taken (Exif DateTimeOriginal)";
    case TimeSource::kExifDigitized: return "taken (Exif DateTimeDigitized)";
    case TimeSource::kXmpOriginal: return "taken (XMP exif:DateTimeOriginal)";
    case TimeSource::kXmpCreated: return "taken (XMP photoshop:DateCreated)";
    case TimeSource::kLastWrite:
    case TimeSource::kNone: break;
  }
  return "modified";
}

}  // namespace

const char* NumberingOrderWord(NumberingOrder order) {
  for (const auto& entry : kWords) {
    if (entry.order == order) return entry.word;
  }
  return "name";
}

bool ParseNumberingOrder(const std::string& word, NumberingOrder& order) {
  for (const auto& entry : kWords) {
    if (word == entry.word) {
      order = entry.order;
      return true;
    }
  }
  return false;
}

void PutInNumberingOrder(std::vector<const char*>& names, const std::string& directory, NumberingOrder order,
                         std::vector<FileTime>* orderedBy) {
  if (order == NumberingOrder::kName) return;  // the listing's own order
  const std::vector<FileTime> times = ReadFileTimes(
      directory, names, order == NumberingOrder::kTaken ? FileTimeKind::kTaken : FileTimeKind::kModified);
  std::vector<size_t> places(names.size());
  std::iota(places.begin(), places.end(), size_t{0});
  // Stable: names of equal times keep their natural order.
  std::stable_sort(places.begin(), places.end(),
                   [&](size_t a, size_t b) { return times[a].time < times[b].time; });
  std::vector<const char*> ordered;
  ordered.reserve(names.size());
  if (orderedBy) orderedBy->clear();
  for (size_t place : places) {
    ordered.push_back(names[place]);
    if (orderedBy) orderedBy->push_back(times[place]);
  }
  names.swap(ordered);
}

std::string DescribeOrderedBy(const FileTime& time, NumberingOrder order) {
  if (time.source == TimeSource::kNone) return "unknown time";
  std::string text = ClockText(time.time) + " " + SourceText(time.source);
  if (time.source == TimeSource::kLastWrite && order == NumberingOrder::kTaken) text += " (no capture time)";
  return text;
}
