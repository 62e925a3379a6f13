#pragma once
// One entry of a directory search: what the file list records of it.

#include <cstdint>
#include <string>

// Attribute bits of an entry, numbered as in the FAT attribute byte.
namespace FileAttribute {
constexpr uint8_t kReadOnly = 0x01;   // the owner may not write it
constexpr uint8_t kHidden = 0x02;     // its name starts with "."
constexpr uint8_t kSystem = 0x04;     // never set on Linux
constexpr uint8_t kDirectory = 0x10;
constexpr uint8_t kArchive = 0x20;    // every entry that is not a directory
}  // namespace FileAttribute

struct DirEntry {
  std::string name;            // the entry's own name, no directory
  int64_t lastWriteTime = -1;  // seconds since 1970-01-01 00:00 UTC; -1 when unknown
  uint32_t size = 0;           // the low 32 bits of the size in bytes
  uint8_t attributes = 0;      // FileAttribute bits
};

// How much of each entry a directory search reads.
enum class EntryDetail {
  kFullRecords,  // name, last-write time, size and attributes: a system call per entry
  kNamesOnly,    // the name alone, the other fields left as above: no call per entry
};
