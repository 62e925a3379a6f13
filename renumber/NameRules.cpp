#include "renumber/NameRules.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "platform/os/PathSeparators.h"

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

const char* ExtensionOfFileName(const char* path) {
  const char* fileName = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '/' || *p == '\\') fileName = p + 1;
  }
  const char* dot = std::strrchr(fileName, '.');
  if (!dot || dot[1] == '\0') return nullptr;
  return dot + 1;
}

bool HasExtension(const char* name, const char* extension) {
  const size_t nameLength = std::strlen(name);
  const size_t extensionLength = std::strlen(extension);
  if (nameLength < extensionLength + 1) return false;
  const char* dot = name + nameLength - extensionLength - 1;
  if (*dot != '.') return false;
  for (size_t i = 0; i < extensionLength; ++i) {
    if (AsciiLower(dot[1 + i]) != AsciiLower(extension[i])) return false;
  }
  return true;
}

bool EqualIgnoringAsciiCase(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    if (AsciiLower(*a) != AsciiLower(*b)) return false;
  }
  return *a == *b;
}

const char* AffixProblem(const std::string& text, const char* which) {
  const bool prefix = std::strcmp(which, "prefix") == 0;
  if (text.size() > kMaxAffix) {
    return prefix ? "The prefix is too long: at most 199 bytes." : "The suffix is too long: at most 199 bytes.";
  }
  if (text.find('/') != std::string::npos) {
    return prefix ? "The prefix may not contain /." : "The suffix may not contain /.";
  }
  if (IsPathSeparator('\\') && text.find('\\') != std::string::npos) {
    return prefix ? "The prefix may not contain \\." : "The suffix may not contain \\.";
  }
  if (text.find_first_of("\n\r") != std::string::npos) {
    return prefix ? "The prefix may not contain a line break." : "The suffix may not contain a line break.";
  }
  if (text.find('\0') != std::string::npos) {
    return prefix ? "The prefix may not contain a NUL byte." : "The suffix may not contain a NUL byte.";
  }
  return nullptr;
}

int NewNameRule::Format(long number, char* out, size_t room) const {
  // A pass formats a name per entry, so the common case, a number of 0 or
  // more whose name fits, is put together by hand, byte for byte as
  // snprintf would; snprintf itself writes the rest.
  char digits[24];
  const auto [digitsEnd, error] = std::to_chars(digits, digits + sizeof digits, number);
  if (number >= 0 && error == std::errc()) {
    const size_t digitCount = static_cast<size_t>(digitsEnd - digits);
    const size_t fieldWidth = static_cast<size_t>(width < 0 ? -static_cast<long>(width) : width);
    const size_t padding = fieldWidth > digitCount ? fieldWidth - digitCount : 0;
    const size_t directoryLength = std::strlen(directory);
    const size_t prefixLength = std::strlen(prefix);
    const size_t suffixLength = std::strlen(suffix);
    const size_t extensionLength = std::strlen(extension);
    const size_t length =
        directoryLength + prefixLength + padding + digitCount + suffixLength + 1 + extensionLength;
    if (length < room) {
      char* at = out;
      const auto put = [&at](const char* text, size_t count) {
        std::memcpy(at, text, count);
        at += count;
      };
      const auto fill = [&at](char c, size_t count) {
        std::memset(at, c, count);
        at += count;
      };
      put(directory, directoryLength);
      put(prefix, prefixLength);
      if (width >= 0) fill('0', padding);  // "%05ld": zeros before the digits
      put(digits, digitCount);
      if (width < 0) fill(' ', padding);  // "%-5ld": blanks after them
      put(suffix, suffixLength);
      *at++ = '.';
      put(extension, extensionLength);
      *at = '\0';
      return static_cast<int>(length);
    }
  }
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
  return EqualIgnoringCase(extension, "jpg") || EqualIgnoringCase(extension, "jpeg") ||
         EqualIgnoringCase(extension, "gif");
}

std::string LongerNumbersNote(int width, long count) {
  if (width < 1 || width > 9) return {};
  long firstLonger = 1;
  for (int i = 0; i < width; ++i) firstLonger *= 10;
  if (count < firstLonger) return {};
  return "Note: the numbers from " + std::to_string(firstLonger) + " on are one digit longer than " +
         std::to_string(width) + (width == 1 ? " digit" : " digits") + ", which some programs sort before " +
         std::to_string(firstLonger / 10 + 1) + "; " + std::to_string(width + 1) +
         " digits would keep every name in order.";
}
