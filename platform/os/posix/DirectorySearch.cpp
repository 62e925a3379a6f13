#include "platform/os/DirectorySearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <thread>

#include "platform/os/NaturalOrder.h"
#include "platform/os/WildcardMatch.h"


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
  return SortInNaturalOrder(entries);
}

PackedNames SearchDirectoryNames(const char* searchText) {
  const SearchText search = SplitSearchText(searchText);
  DIR* dir = opendir(search.directory.c_str());
  if (!dir) return {};

  PackedNames names;
  bool held = true;
  for (;;) {
    errno = 0;
    const dirent* raw = readdir(dir);
    if (!raw) break;
    if (MatchesWildcard(search.pattern.c_str(), raw->d_name)) held = held && names.Add(raw->d_name);
  }
  const bool readFailed = errno != 0;
  closedir(dir);
  // A listing cut short, by a read error or for want of room, is no listing.
  if (readFailed || !held) return {};
  names.ShrinkToFit();
  SortInNaturalOrder(names);
  return names;
}
