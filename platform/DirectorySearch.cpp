#include "platform/DirectorySearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/NaturalOrder.h"
#include "platform/WildcardMatch.h"

SearchText SplitSearchText(const char* searchText) {
  const char* lastSlash = std::strrchr(searchText, '/');
  if (!lastSlash) return {".", searchText};
  return {std::string(searchText, lastSlash + 1), lastSlash + 1};
}

namespace {

DirEntry MakeEntry(const char* name, const struct stat& info) {
  DirEntry entry;
  entry.name = name;
  entry.lastWriteTime = info.st_mtime;
  entry.size = static_cast<uint32_t>(info.st_size);
  if (S_ISDIR(info.st_mode)) {
    entry.attributes |= FileAttribute::kDirectory;
  } else {
    entry.attributes |= FileAttribute::kArchive;
  }
  if (!(info.st_mode & S_IWUSR)) entry.attributes |= FileAttribute::kReadOnly;
  if (name[0] == '.') entry.attributes |= FileAttribute::kHidden;
  return entry;
}

}  // namespace

std::vector<DirEntry> SearchDirectory(const char* searchText) {
  const SearchText search = SplitSearchText(searchText);
  std::vector<DirEntry> entries;
  DIR* dir = opendir(search.directory.c_str());
  if (!dir) return entries;

  const int dirFd = dirfd(dir);
  for (;;) {
    errno = 0;
    const dirent* raw = readdir(dir);
    if (!raw) break;
    if (!MatchesWildcard(search.pattern.c_str(), raw->d_name)) continue;
    struct stat info;
    if (fstatat(dirFd, raw->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;  // vanished
    entries.push_back(MakeEntry(raw->d_name, info));
  }
  const bool readFailed = errno != 0;
  closedir(dir);
  // A listing cut short by a read error is no listing: a failed search.
  if (readFailed) return {};

  std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) {
    return CompareNatural(a.name.c_str(), b.name.c_str()) < 0;
  });
  return entries;
}
