#include "platform/os/DirectorySearch.h"

#include <windows.h>

#include "platform/os/NaturalOrder.h"
#include "platform/os/SearchText.h"
#include "platform/os/WildcardMatch.h"
#include "platform/os/win32/SystemPath.h"
#include "platform/os/win32/WideText.h"

namespace {

// 100-nanosecond steps from 1601-01-01 to 1970-01-01.
constexpr int64_t kUnixEpochInFileTime = 116444736000000000LL;

// A FILETIME as seconds since 1970-01-01 00:00 UTC; -1 when none is recorded.
int64_t SecondsSince1970(const FILETIME& time) {
  const int64_t steps = (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  if (steps == 0) return -1;
  const int64_t sinceEpoch = steps - kUnixEpochInFileTime;
  return sinceEpoch >= 0 ? sinceEpoch / 10000000 : -((-sinceEpoch + 9999999) / 10000000);
}

// The search delivers each entry's record with its name: no call per entry.
void FillRecord(DirEntry& entry, const WIN32_FIND_DATAW& found) {
  entry.lastWriteTime = SecondsSince1970(found.ftLastWriteTime);
  entry.size = found.nFileSizeLow;
  // The FAT attribute bits alone; FILE_ATTRIBUTE_NORMAL (0x80) and the
  // newer bits count as none.
  entry.attributes = static_cast<uint8_t>(found.dwFileAttributes &
                                          (FileAttribute::kReadOnly | FileAttribute::kHidden | FileAttribute::kSystem |
                                           FileAttribute::kDirectory | FileAttribute::kArchive));
}

}  // namespace

std::vector<DirEntry> SearchDirectory(const char* searchText, EntryDetail detail) {
  const SearchText search = SplitSearchText(searchText);
  const std::wstring query = SystemDirectoryPath(search.directory) + L"*";
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileExW(query.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                 FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return {};

  std::vector<DirEntry> entries;
  do {
    std::string name = Narrow(found.cFileName);
    if (!MatchesWildcardIgnoringCase(search.pattern.c_str(), name.c_str())) continue;
    DirEntry& entry = entries.emplace_back();
    entry.name = std::move(name);
    if (detail == EntryDetail::kFullRecords) FillRecord(entry, found);
  } while (FindNextFileW(find, &found));
  const DWORD ended = GetLastError();
  FindClose(find);
  // A listing cut short by a read error is no listing: a failed search.
  if (ended != ERROR_NO_MORE_FILES) return {};
  return SortInNaturalOrder(entries);
}

// The system delivers names and records together: the names are packed
// from the names-only search.
PackedNames SearchDirectoryNames(const char* searchText) {
  PackedNames names;
  for (const DirEntry& entry : SearchDirectory(searchText, EntryDetail::kNamesOnly)) {
    if (!names.Add(entry.name)) return {};
  }
  return names;
}
