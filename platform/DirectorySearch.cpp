#include "platform/DirectorySearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
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

DirEntry MakeEntry(std::string&& name, const struct stat& info) {
  DirEntry entry;
  entry.name = std::move(name);
  entry.lastWriteTime = info.st_mtime;
  entry.size = static_cast<uint32_t>(info.st_size);
  if (S_ISDIR(info.st_mode)) {
    entry.attributes |= FileAttribute::kDirectory;
  } else {
    entry.attributes |= FileAttribute::kArchive;
  }
  if (!(info.st_mode & S_IWUSR)) entry.attributes |= FileAttribute::kReadOnly;
  if (entry.name[0] == '.') entry.attributes |= FileAttribute::kHidden;
  return entry;
}

}  // namespace

namespace {

// The records of the named entries, read with one fstatat each; each name
// moves into its record. A large
// directory is read in two halves at once: on a camera dump of 100,000
// pictures these calls are a sixth of a whole run. An entry that vanished
// before it could be read keeps an empty name.
std::vector<DirEntry> ReadRecords(int dirFd, std::vector<std::string>& names) {
  std::vector<DirEntry> entries(names.size());
  const auto read = [&](size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
      struct stat info;
      if (fstatat(dirFd, names[i].c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
        entries[i] = MakeEntry(std::move(names[i]), info);
      }
    }
  };
  constexpr size_t kWorthASecondThread = 4096;
  const size_t half = names.size() / 2;
  if (names.size() < kWorthASecondThread) {
    read(0, names.size());
    return entries;
  }
  try {
    std::thread secondHalf(read, half, names.size());
    read(0, half);
    secondHalf.join();
  } catch (const std::system_error&) {  // no thread to be had: one after the other
    read(0, names.size());
  }
  return entries;
}

}  // namespace

std::vector<DirEntry> SearchDirectory(const char* searchText) {
  const SearchText search = SplitSearchText(searchText);
  DIR* dir = opendir(search.directory.c_str());
  if (!dir) return {};

  std::vector<std::string> names;
  for (;;) {
    errno = 0;
    const dirent* raw = readdir(dir);
    if (!raw) break;
    if (MatchesWildcard(search.pattern.c_str(), raw->d_name)) names.emplace_back(raw->d_name);
  }
  const bool readFailed = errno != 0;
  // A listing cut short by a read error is no listing: a failed search.
  if (readFailed) {
    closedir(dir);
    return {};
  }
  std::vector<DirEntry> records = ReadRecords(dirfd(dir), names);
  closedir(dir);

  // Sorting positions moves 4 bytes where a record is 48.
  std::vector<uint32_t> order;
  order.reserve(records.size());
  for (uint32_t i = 0; i < records.size(); ++i) {
    if (!records[i].name.empty()) order.push_back(i);
  }
  std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    return CompareNatural(records[a].name.c_str(), records[b].name.c_str()) < 0;
  });
  std::vector<DirEntry> entries;
  entries.reserve(order.size());
  for (uint32_t i : order) entries.push_back(std::move(records[i]));
  return entries;
}
