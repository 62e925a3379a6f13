#pragma once
// One directory entry's record, built once from the directory search.

#include <cstdint>

#include "fsystem/FsObject.h"
#include "platform/os/DirEntry.h"

class FileItem : public FsObject {
 public:
  explicit FileItem(const DirEntry& entry);

  int Probe(void* value) override;
  const char* ClassName() const override;
  const char* Label() const override;

  char name[300];      // the entry's name, no directory
  int32_t sortKey;     // 0 for every scanned entry
  int32_t timeKey;     // local time of day of the last write, see TimeOfDayKey
  uint32_t size;       // low 32 bits of the size in bytes
  uint8_t attributes;  // FileAttribute bits
};

// Seconds since local midnight at two-second resolution, as the FAT
// time-of-day field keeps a time:
//   00:00:01 => 0      12:34:57 => 45296
//   23:59:59 => 86398  -1 (no time recorded) => 0
int32_t TimeOfDayKey(int64_t secondsSince1970);
