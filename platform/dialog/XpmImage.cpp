#include "platform/dialog/XpmImage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

// "c #RRGGBB" or "c None" after the key; false for any other colour.
bool ReadColour(const char* text, uint32_t& argb) {
  while (*text == ' ' || *text == '\t') ++text;
  if (text[0] != 'c' || (text[1] != ' ' && text[1] != '\t')) return false;
  text += 2;
  while (*text == ' ' || *text == '\t') ++text;
  if (std::strcmp(text, "None") == 0) {
    argb = 0;
    return true;
  }
  if (text[0] != '#' || std::strlen(text) != 7) return false;
  char* end = nullptr;
  const unsigned long rgb = std::strtoul(text + 1, &end, 16);
  if (*end != '\0') return false;
  argb = 0xFF000000u | static_cast<uint32_t>(rgb);
  return true;
}

}  // namespace

bool DecodeXpm(const char* const* xpm, ArgbImage& image) {
  image = ArgbImage();
  int width = 0, height = 0, colours = 0, perPixel = 0;
  if (!xpm || !xpm[0] || std::sscanf(xpm[0], "%d %d %d %d", &width, &height, &colours, &perPixel) != 4) return false;
  if (width <= 0 || height <= 0 || colours <= 0 || perPixel <= 0 || width > 1024 || height > 1024) return false;
  std::map<std::string, uint32_t> palette;
  for (int i = 1; i <= colours; ++i) {
    const char* line = xpm[i];
    uint32_t argb = 0;
    if (!line || std::strlen(line) < static_cast<size_t>(perPixel) || !ReadColour(line + perPixel, argb)) return false;
    palette[std::string(line, static_cast<size_t>(perPixel))] = argb;
  }
  std::vector<uint32_t> pixels;
  pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int row = 0; row < height; ++row) {
    const char* line = xpm[1 + colours + row];
    if (!line || std::strlen(line) < static_cast<size_t>(width) * static_cast<size_t>(perPixel)) return false;
    for (int column = 0; column < width; ++column) {
      const auto colour = palette.find(std::string(line + column * perPixel, static_cast<size_t>(perPixel)));
      if (colour == palette.end()) return false;
      pixels.push_back(colour->second);
    }
  }
  image = {width, height, std::move(pixels)};
  return true;
}
