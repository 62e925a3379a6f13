#pragma once
// The library's one test for ordering texts.

#include <cstring>

// Compares two texts byte by byte as unsigned 8-bit values, case-sensitively
// and without regard to locale; returns -1, 0 or +1.
//   "B",  "a"   => -1   (0x42 < 0x61)
//   "ab", "abc" => -1   (a prefix sorts first)
//   "",   ""    =>  0
//   "é",  "z"   => +1   (0xC3 > 0x7A)
inline int CompareBytes(const char* a, const char* b) {
  const int result = std::strcmp(a, b);  // strcmp compares unsigned bytes
  return (result > 0) - (result < 0);
}
