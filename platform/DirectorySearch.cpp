#include "platform/DirectorySearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <thread>

#include "platform/NaturalOrder.h"
#include "platform/WildcardMatch.h"

SearchText SplitSearchText(const char* searchText) {
  const char* lastSlash = std::strrchr(searchText, '/');
  if (!lastSlash) return {".", searchText};
  return {std::string(searchText, lastSlash + 1), lastSlash + 1};
}

namespace {

// Fills in an entry's record from what fstatat found.
void FillRecord(DirEntry& entry, const struct stat& info) {
  entry.lastWriteTime = info.st_mtime;
  entry.size = static_cast<uint32_t>(info.st_size);
  if (S_ISDIR(info.st_mode)) {
    entry.attributes |= FileAttribute::kDirectory;
  } else {
    entry.attributes |= FileAttribute::kArchive;
  }
  if (!(info.st_mode & S_IWUSR)) entry.attributes |= FileAttribute::kReadOnly;
  if (entry.name[0] == '.') entry.attributes |= FileAttribute::kHidden;
}

// Reads the records of the named entries with one fstatat each. A large
// directory is read in two halves at once: on a camera dump of 100,000
// pictures these calls are a sixth of a whole run. An entry that vanished
// before it could be read loses its name, which leaves it out.
void ReadRecords(int dirFd, std::vector<DirEntry>& entries) {
  const auto read = [&](size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
      struct stat info;
      if (fstatat(dirFd, entries[i].name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
        FillRecord(entries[i], info);
      } else {
        entries[i].name.clear();
      }
    }
  };
  constexpr size_t kWorthASecondThread = 4096;
  const size_t half = entries.size() / 2;
  if (entries.size() < kWorthASecondThread) {
    read(0, entries.size());
    return;
  }
  try {
    std::thread secondHalf(read, half, entries.size());
    read(0, half);
    secondHalf.join();
  } catch (const std::system_error&) {  // no thread to be had: one after the other
    read(0, entries.size());
  }
}

// One name's place in the sort: the first 16 bytes of its natural-order key
// (NaturalSortKey), padded with zeros, as two numbers read most significant
// byte first. Where two heads differ they order the names as their whole
// keys do (a key that ends first pads with a zero below any byte the other
// holds there), so most comparisons are two integer compares in a compact
// array; names whose heads are equal are compared by CompareNatural.
struct SortSlot {
  uint64_t head[2];
  uint32_t index;  // into the entries
};

uint64_t BigEndianBytes(const std::string& key, size_t from) {
  uint64_t value = 0;
  for (size_t i = from; i < from + 8; ++i) {
    value = value << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0);
  }
  return value;
}

// The entries with a name, sorted by CompareNatural.
std::vector<DirEntry> InNaturalOrder(std::vector<DirEntry>& entries) {
  std::vector<SortSlot> slots;
  slots.reserve(entries.size());
  for (uint32_t i = 0; i < entries.size(); ++i) {
    if (entries[i].name.empty()) continue;
    const std::string key = NaturalSortKey(entries[i].name.c_str());
    slots.push_back({{BigEndianBytes(key, 0), BigEndianBytes(key, 8)}, i});
  }
  std::sort(slots.begin(), slots.end(), [&](const SortSlot& a, const SortSlot& b) {
    if (a.head[0] != b.head[0]) return a.head[0] < b.head[0];
    if (a.head[1] != b.head[1]) return a.head[1] < b.head[1];
    return CompareNatural(entries[a.index].name.c_str(), entries[b.index].name.c_str()) < 0;
  });
  std::vector<DirEntry> sorted;
  sorted.reserve(slots.size());
  for (const SortSlot& slot : slots) sorted.push_back(std::move(entries[slot.index]));
  return sorted;
}

}  // namespace

std::vector<DirEntry> SearchDirectory(const char* searchText, EntryDetail detail) {
  const SearchText search = SplitSearchText(searchText);
  DIR* dir = opendir(search.directory.c_str());
  if (!dir) return {};

  std::vector<DirEntry> entries;
  for (;;) {
    errno = 0;
    const dirent* raw = readdir(dir);
    if (!raw) break;
    if (MatchesWildcard(search.pattern.c_str(), raw->d_name)) entries.emplace_back().name = raw->d_name;
  }
  const bool readFailed = errno != 0;
  // A listing cut short by a read error is no listing: a failed search.
  if (readFailed) {
    closedir(dir);
    return {};
  }
  if (detail == EntryDetail::kFullRecords) ReadRecords(dirfd(dir), entries);
  closedir(dir);
  return InNaturalOrder(entries);
}
