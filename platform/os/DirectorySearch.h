#pragma once
// The directory search of this system (posix/ or win32/): which entries
// match a search text, with their records, in the order a file manager
// shows them.

#include <string>
#include <vector>

#include "platform/os/DirEntry.h"
#include "platform/os/PackedNames.h"
#include "platform/os/SearchText.h"

// Every entry of the directory whose name matches the pattern: files,
// directories, hidden entries, symbolic links (the link itself), and "." and
// ".." when the pattern matches them, sorted by CompareNatural. With full
// records, an entry that vanishes before it can be examined is left out.
// Empty when the directory cannot be read.
//
// On POSIX the pattern matches case-sensitively (MatchesWildcard). On
// Windows it matches ASCII letters in any case
// (MatchesWildcardIgnoringCase), as names match there, and the system is
// asked for every name ("*"): its own matching also matches short (8.3)
// names, so "*.jpg" would find "x.jpgx", and its order is the file
// system's, not the natural one.
std::vector<DirEntry> SearchDirectory(const char* searchText, EntryDetail detail);

// The names alone of what SearchDirectory finds, in its order, packed: no
// record and no heap block per entry. Empty when the directory cannot be
// read, or its names would pass what one listing holds (4 GiB).
PackedNames SearchDirectoryNames(const char* searchText);
