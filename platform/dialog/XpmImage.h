#pragma once
// A picture given as XPM text (the program's icons), decoded to pixels for a
// window system that takes pixels rather than XPM.

#include <cstdint>
#include <vector>

// Invariant: pixels.size() == width * height, row by row from the top.
struct ArgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB; "None" is 0x00000000
};

// Decodes an XPM whose colours are "c #RRGGBB" or "c None"; false (and an
// empty image) for anything else or a picture cut short.
//   {"2 1 2 1", ". c None", "r c #FF0000", ".r"} => 2 x 1: 0x00000000, 0xFFFF0000
//   {"2 1 1 1", "r c red", "rr"}                => false (named colours are not read)
bool DecodeXpm(const char* const* xpm, ArgbImage& image);
