#pragma once
// A search text: a directory text followed by a wildcard pattern, as the
// directory search and the services that name files by path take it.

#include <string>

struct SearchText {
  std::string directory;  // what opendir gets
  std::string pattern;    // what each entry's name is matched against
};

// Splits a search text after its last "/":
//   "pics/*.jpg"   => "pics/", "*.jpg"
//   "/*.jpg"       => "/",     "*.jpg"
//   "*.jpg"        => ".",     "*.jpg"   (no "/": the current directory)
//   "a\b/*.jpg"    => "a\b/",  "*.jpg"   ("\" is an ordinary character)
//   "pics/"        => "pics/", ""        (matches no name)
SearchText SplitSearchText(const char* searchText);
