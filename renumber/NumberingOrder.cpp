#include "renumber/NumberingOrder.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "platform/os/CaptureTimeText.h"

namespace {

const struct {
  NumberingOrder order;
  const char* word;
} kWords[] = {
    {NumberingOrder::kName, "name"},
    {NumberingOrder::kTaken, "taken"},
    {NumberingOrder::kModified, "modified"},
};

const char* SourceText(TimeSource source) {
  switch (source) {
    case TimeSource::kExifOriginal: return "Exif DateTimeOriginal";
    case TimeSource::kExifDigitized: return "Exif DateTimeDigitized";
    case TimeSource::kXmpOriginal: return "XMP exif:DateTimeOriginal";
    case TimeSource::kXmpCreated: return "XMP photoshop:DateCreated";
    case TimeSource::kAppleCreation: return "Apple creation date";
    case TimeSource::kVideoCreation: return "video creation time";
    case TimeSource::kLastWrite:
    case TimeSource::kNone: break;
  }
  return nullptr;
}

// An offset from UTC as a zone is written:
//   7200 => "+02:00";  -19800 => "-05:30";  0 => "+00:00"
std::string ZoneText(int32_t seconds) {
  const int32_t minutes = (seconds < 0 ? -seconds : seconds) / 60;
  char text[16];
  std::snprintf(text, sizeof text, "%c%02d:%02d", seconds < 0 ? '-' : '+', minutes / 60 % 100, minutes % 60);
  return text;
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
                         std::vector<OrderedTime>* orderedBy, const TakenClock& clock) {
  if (order == NumberingOrder::kName) return;  // the listing's own order
  CameraModels cameras;
  std::vector<FileTime> times =
      ReadFileTimes(directory, names, order == NumberingOrder::kTaken ? FileTimeKind::kTaken : FileTimeKind::kModified,
                    clock.video, clock.shifts.empty() ? nullptr : &cameras);
  // Each camera's shift, found once: 0 for files without a camera.
  std::vector<int64_t> shiftOf(cameras.size() + 1, 0);
  for (size_t i = 0; i < cameras.size(); ++i) shiftOf[i + 1] = ClockShiftOf(clock.shifts, cameras[i]);
  std::vector<int64_t> shifts(times.size(), 0);
  for (size_t i = 0; i < times.size(); ++i) {
    if (times[i].camera >= shiftOf.size()) continue;
    shifts[i] = shiftOf[times[i].camera];
    times[i].time.seconds += shifts[i];
  }
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
    if (orderedBy) orderedBy->push_back({times[place], shifts[place]});
  }
  names.swap(ordered);
}

std::string DescribeOrderedBy(const OrderedTime& ordered, NumberingOrder order) {
  const FileTime& time = ordered.time;
  if (time.source == TimeSource::kNone) return "unknown time";
  std::string text = WallClockMillisecondsText(time.time);
  const char* source = SourceText(time.source);
  if (!source) return text + (order == NumberingOrder::kTaken ? " modified (no capture time)" : " modified");
  text += std::string(" taken (") + source;
  if (time.offsetKind == ClockOffset::kRecorded) text += ", at " + ZoneText(time.offsetSeconds);
  if (time.offsetKind == ClockOffset::kApplied) text += ", UTC " + ZoneText(time.offsetSeconds) + " applied";
  if (ordered.shift != 0) text += ", camera clock " + ClockOffsetText(ordered.shift);
  return text + ")";
}
