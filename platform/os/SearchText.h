#pragma once
// A search text: a directory text followed by a wildcard pattern, as the
// directory search and the services that name files by path take it.

#include <string>

struct SearchText {
  std::string directory;  // the directory to list
  std::string pattern;    // what each entry's name is matched against
};

// Splits a search text after its last separator (IsPathSeparator):
//   "pics/*.jpg"   => "pics/", "*.jpg"
//   "/*.jpg"       => "/",     "*.jpg"
//   "*.jpg"        => ".",     "*.jpg"   (no separator: the current directory)
//   "a\b/*.jpg"    => "a\b/",  "*.jpg"
//   "a/b\*.jpg"    => "a/",    "b\*.jpg" on POSIX ("\" is a byte of a name),
//                     "a/b\",  "*.jpg"   on Windows
//   "pics/"        => "pics/", ""        (matches no name)
SearchText SplitSearchText(const char* searchText);
