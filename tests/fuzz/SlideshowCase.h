#pragma once
// One slideshow script to write, read from a fuzz input, and what its
// DisplayIt must make of it. Shared by the slideshow fuzz target and the
// program that prints scripts for node's parser.
//
// Input: prefix, suffix, extension, digits text, picture count and seconds
// text, each ended by a zero byte (missing ones are empty):
//   "trip\0_x\0jpg\0003\012\04" => prefix "trip", suffix "_x", extension
//   "jpg", digits "3", 12 pictures, 4 seconds.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzInput.h"
#include "viewer/NamePadding.h"
#include "viewer/ViewerPages.h"

struct SlideshowCase {
  PageFields fields;
  int32_t renamedCount = 0;
  std::string extension;
};

inline SlideshowCase SlideshowCaseFrom(const uint8_t* data, size_t size) {
  const std::vector<std::string> texts = SplitInput(data, size, 6);
  SlideshowCase slideshow;
  slideshow.fields.prefixText = texts[0];
  slideshow.fields.suffixText = texts[1];
  slideshow.extension = texts[2];
  slideshow.fields.digitsText = texts[3];
  slideshow.renamedCount = static_cast<int32_t>(std::strtoll(texts[4].c_str(), nullptr, 10));
  slideshow.fields.secondsText = texts[5];
  return slideshow;
}

// The script section exactly as WriteSlideshowScript writes it.
inline std::string ScriptOf(const SlideshowCase& slideshow) {
  char* text = nullptr;
  size_t size = 0;
  FILE* stream = open_memstream(&text, &size);
  if (!stream) std::abort();
  WriteSlideshowScript(stream, PageOptions{slideshow.fields, slideshow.renamedCount, slideshow.extension.c_str()});
  std::fclose(stream);
  std::string script(text, size);
  std::free(text);
  return script;
}

// How many zeros DisplayIt puts before picture `number` (1 or more): the
// pass's "%0*ld" width read from the digits text, at most kWidestPadding; no
// zeros for the plain DisplayIt ("0") nor for a width of 0 or less.
inline long ExpectedZeros(const SlideshowCase& slideshow, long number) {
  const long width = std::min<long>(std::atol(slideshow.fields.digitsText.c_str()), kWidestPadding);
  const long digits = static_cast<long>(std::to_string(number).size());
  return width > digits ? width - digits : 0;
}

// The name the pass gave picture `number`: prefix, number with its zeros,
// suffix, "." and extension.
inline std::string PictureName(const SlideshowCase& slideshow, long number) {
  return slideshow.fields.prefixText + std::string(static_cast<size_t>(ExpectedZeros(slideshow, number)), '0') +
         std::to_string(number) + slideshow.fields.suffixText + "." + slideshow.extension;
}

// The address DisplayIt must give picture `number`, once its literals are
// decoded: the picture's name, with "./" before a name that starts with '/'
// (the same file, relative to the page).
inline std::string ExpectedAddress(const SlideshowCase& slideshow, long number) {
  const std::string& prefix = slideshow.fields.prefixText;
  return (prefix.empty() || prefix[0] != '/' ? "" : "./") + PictureName(slideshow, number);
}
