#pragma once
// Wildcard patterns as the directory search understands them.

// Whether `name` matches `pattern`, where "*" stands for any run of bytes
// (the empty run included) and "?" for exactly one byte; every other byte,
// "[" and "\" included, stands for itself, case-sensitively. "*" matches a
// leading dot.
//   "*.jpg", "a.jpg"     => true
//   "*.jpg", ".jpg"      => true
//   "*.jpg", "a.JPG"     => false
//   "*.jpg", "a.jpg.bak" => false
//   "?.jpg", "ab.jpg"    => false
//   "[a].jpg", "a.jpg"   => false   (no character classes)
//   "*", ""              => true
bool MatchesWildcard(const char* pattern, const char* name);

// The same, but an ASCII letter also matches its other case, as names match
// on Windows; every other byte still stands for itself.
//   "*.jpg", "a.JPG"        => true
//   "IMG_?.jpg", "img_1.Jpg" => true
//   "*.jpg", "a.jpeg"       => false
//   "\xc3\xa9", "\xc3\x89"   => false (only ASCII letters fold)
bool MatchesWildcardIgnoringCase(const char* pattern, const char* name);
