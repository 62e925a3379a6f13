#pragma once
// The directory search on POSIX: which entries match a search text, with
// their records, in the order a file manager shows them.

#include <string>
#include <vector>

#include "platform/os/DirEntry.h"
#include "platform/os/SearchText.h"


// Every entry of the directory whose name matches the pattern: files,
// directories, hidden entries, symbolic links (the link itself), and "." and
// ".." when the pattern matches them, sorted by CompareNatural. With full
// records, an entry that vanishes before it can be examined is left out.
// Empty when the directory cannot be read.
std::vector<DirEntry> SearchDirectory(const char* searchText, EntryDetail detail);
