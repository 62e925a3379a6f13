#pragma once
// How the fuzz targets read several texts from one input: the texts stand
// one after another, each ended by a zero byte (the last one may lack it).
// A zero byte cannot stand inside the program's C texts anyway, so every
// text a target gets is one the program could really hold.
//   "a\0b\0c", 3 => "a", "b", "c"
//   "a\0b",    3 => "a", "b", ""
//   "a\0b\0c", 2 => "a", "b"          (the rest is ignored)

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline std::vector<std::string> SplitInput(const uint8_t* data, size_t size, size_t count) {
  std::vector<std::string> texts(count);
  size_t index = 0;
  for (size_t i = 0; i < size && index < count; ++i) {
    if (data[i] == 0) {
      ++index;
    } else {
      texts[index] += static_cast<char>(data[i]);
    }
  }
  return texts;
}
