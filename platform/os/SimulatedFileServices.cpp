#include "platform/os/SimulatedFileServices.h"

#include <cerrno>
#include <cstring>

#include "platform/os/SearchText.h"
#include "platform/os/NaturalOrder.h"
#include "platform/os/WildcardMatch.h"

bool SimulatedFileServices::NaturalLess::operator()(const std::string& a, const std::string& b) const {
  return CompareNatural(a.c_str(), b.c_str()) < 0;
}

SimulatedFileServices::Directory& SimulatedFileServices::PictureOf(const std::string& directory) {
  auto [found, isNew] = directories_.try_emplace(directory);
  Directory& picture = found->second;
  if (isNew) {
    // "*" alone searches the current directory, as a bare name does.
    const std::string everything = (directory == "." ? "" : directory) + "*";
    for (DirEntry& entry : SystemFileServices().Search(everything.c_str(), EntryDetail::kFullRecords)) {
      picture.readable = true;  // "." is always there in a directory that can be read
      picture.entries.emplace(entry.name, std::move(entry));
    }
  }
  return picture;
}

// The picture holds whole records, so every search gets them.
std::vector<DirEntry> SimulatedFileServices::Search(const char* searchText, EntryDetail) {
  const SearchText search = SplitSearchText(searchText);
  std::vector<DirEntry> found;
  for (const auto& [name, entry] : PictureOf(search.directory).entries) {
    if (MatchesWildcard(search.pattern.c_str(), name.c_str())) found.push_back(entry);
  }
  return found;
}

int SimulatedFileServices::Exists(const char* path) {
  if (!*path) return 0;
  const SearchText where = SplitSearchText(path);
  if (where.pattern.empty()) return PictureOf(where.directory).readable ? 1 : 0;  // "pics/"
  return PictureOf(where.directory).entries.count(where.pattern) ? 1 : 0;
}

int SimulatedFileServices::Rename(const char* from, const char* to) {
  const SearchText source = SplitSearchText(from);
  const SearchText target = SplitSearchText(to);
  Picture& sourceEntries = PictureOf(source.directory).entries;
  Directory& targetDirectory = PictureOf(target.directory);
  const auto moving = sourceEntries.find(source.pattern);
  if (moving == sourceEntries.end() || !targetDirectory.readable) return ENOENT;
  if (targetDirectory.entries.count(target.pattern)) return EEXIST;

  DirEntry entry = moving->second;
  sourceEntries.erase(moving);
  entry.name = target.pattern;
  targetDirectory.entries.emplace(entry.name, std::move(entry));
  if (onRename) onRename(from, to);
  return 0;
}

int SimulatedFileServices::IsDirectory(const char* path) {
  const SearchText where = SplitSearchText(path);
  if (where.pattern.empty()) return PictureOf(where.directory).readable ? 1 : 0;  // "pics/"
  const Picture& entries = PictureOf(where.directory).entries;
  const auto found = entries.find(where.pattern);
  return found != entries.end() && (found->second.attributes & FileAttribute::kDirectory) ? 1 : 0;
}

FILE* SimulatedFileServices::Open(const char* path, const char* mode) {
  const bool writing = std::strpbrk(mode, "wa+") != nullptr;
  return std::fopen(writing ? "/dev/null" : path, mode);
}
