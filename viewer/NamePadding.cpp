#include "viewer/NamePadding.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

bool WritesPlainDisplayIt(const char* digitsText) { return std::strcmp(digitsText, "0") == 0; }

std::vector<ThresholdBlock> ThresholdBlocks(const char* digitsText) {
  // Clamped before any narrowing, so no value can wrap into a wide one.
  // atol with a 64-bit long, whatever the system's long is.
  const long long digits =
      std::clamp<long long>(std::strtoll(digitsText, nullptr, 10), -kWidestPadding, kWidestPadding);
  const int blockCount = static_cast<int>(std::max<long long>(digits, 1));
  std::vector<ThresholdBlock> blocks;
  blocks.reserve(blockCount);
  for (int power = 0; power < blockCount; ++power) {
    blocks.push_back({power, std::max(static_cast<int>(digits) - power - 1, 0)});
  }
  return blocks;
}
