#include "renumber/NameRules.h"

#include <cstdio>
#include <cstring>

const char* ExtensionOfFileName(const char* path) {
  const char* fileName = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '/' || *p == '\\') fileName = p + 1;
  }
  const char* dot = std::strrchr(fileName, '.');
  if (!dot || dot[1] == '\0') return nullptr;
  return dot + 1;
}

int NewNameRule::Format(long number, char* out, size_t room) const {
  return std::snprintf(out, room, "%s%s%0*ld%s.%s", directory, prefix, width, number, suffix, extension);
}

namespace {

// ASCII letters folded; every other byte as it is, whatever the locale.
bool EqualIgnoringCase(const char* a, const char* b) {
  auto fold = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; };
  for (; *a && *b; ++a, ++b) {
    if (fold(*a) != fold(*b)) return false;
  }
  return *a == *b;
}

}  // namespace

bool IsPictureExtension(const char* extension) {
  return EqualIgnoringCase(extension, "jpg") || EqualIgnoringCase(extension, "gif");
}
