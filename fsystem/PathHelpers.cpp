#include "fsystem/PathHelpers.h"

#include <cstdio>
#include <cstring>

#include "platform/os/FileServices.h"

char* JoinPath(const char* first, const char* second) {
  static char result[kJoinPathRoom];
  std::snprintf(result, sizeof result, "%s%s", first, second);
  return result;
}

int FileExists(const char* path) { return Files().Exists(path); }

namespace {

// One split at a time in the whole program.
struct Split {
  char copy[256];
  const char* cursor = nullptr;  // null: no token left
  const char* end = nullptr;
  char delimiter = 0;
} split;

}  // namespace

char* NextToken(const char* text, char delimiter) {
  static char token[101];
  if (text) {
    std::snprintf(split.copy, sizeof split.copy, "%s", text);
    split.cursor = split.copy;
    split.end = split.copy + std::strlen(split.copy);
    split.delimiter = delimiter;
  } else if (!split.cursor) {
    return nullptr;
  }

  const char* start = split.cursor;
  const char* stop = start;
  while (stop < split.end && *stop != split.delimiter) ++stop;

  const size_t length = static_cast<size_t>(stop - start);
  const size_t kept = length < sizeof token - 1 ? length : sizeof token - 1;
  std::memcpy(token, start, kept);
  token[kept] = '\0';

  split.cursor = stop < split.end ? stop + 1 : nullptr;
  return token;
}

char* DirectoryOf(const char* path) {
  static char result[kMaxPathText + 1];
  const size_t driveLength = (path[0] && path[1] == ':') ? 2 : 0;
  const char* directory = path + driveLength;
  const char* lastSeparator = nullptr;
  for (const char* p = directory; *p; ++p) {
    if (*p == '\\' || *p == '/') lastSeparator = p;
  }
  const size_t length = driveLength + (lastSeparator ? static_cast<size_t>(lastSeparator - directory) + 1 : 0);
  const size_t kept = length < sizeof result - 1 ? length : sizeof result - 1;
  std::memcpy(result, path, kept);
  result[kept] = '\0';
  return result;
}
