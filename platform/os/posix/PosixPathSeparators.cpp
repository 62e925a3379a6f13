// On POSIX only "/" separates; "\" is an ordinary byte of a name.

#include <cstring>

#include "platform/os/PathSeparators.h"

bool IsPathSeparator(char c) { return c == '/'; }

char PreferredSeparator() { return '/'; }

long LastSeparatorAt(const char* text) {
  const char* last = std::strrchr(text, '/');
  return last ? static_cast<long>(last - text) : -1;
}
