// On Windows both "\" and "/" separate; the system writes "\".

#include "platform/os/PathSeparators.h"

bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

char PreferredSeparator() { return '\\'; }

long LastSeparatorAt(const char* text) {
  long last = -1;
  for (long at = 0; text[at]; ++at) {
    if (IsPathSeparator(text[at])) last = at;
  }
  return last;
}
