#include "renumber/NumberingOrder.h"

#include <algorithm>
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
  std::string text = WallClockText(time.time) + " " + SourceText(time.source);
  if (time.source == TimeSource::kLastWrite && order == NumberingOrder::kTaken) text += " (no capture time)";
  return text;
}
