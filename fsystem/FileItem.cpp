#include "fsystem/FileItem.h"

#include <algorithm>
#include <cstring>
#include <ctime>

#include "platform/os/LocalTime.h"

FileItem::FileItem(const DirEntry& entry)
    : sortKey(0), timeKey(TimeOfDayKey(entry.lastWriteTime)), size(entry.size), attributes(entry.attributes) {
  // Linux names have at most 255 bytes, so the copy is whole.
  const size_t length = std::min(entry.name.size(), sizeof name - 1);
  std::memcpy(name, entry.name.data(), length);
  name[length] = '\0';
}

int FileItem::Probe(void*) { return 0; }

const char* FileItem::ClassName() const { return "FileItem"; }

const char* FileItem::Label() const { return kEmptyLabel; }

int32_t TimeOfDayKey(int64_t secondsSince1970) {
  if (secondsSince1970 < 0) return 0;
  std::tm local;
  if (!LocalTimeOf(secondsSince1970, local)) return 0;
  // The packed form keeps seconds halved; decoding doubles them again.
  return 2 * (local.tm_sec / 2) + 60 * local.tm_min + 3600 * local.tm_hour;
}
