#include "platform/os/WildcardMatch.h"

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

template <typename SameByte>
bool Matches(const char* pattern, const char* name, SameByte same) {
  // Greedy matching that backtracks only to the most recent "*": when a
  // later literal fails, that star swallows one more byte. Linear in
  // practice, never exponential.
  const char* starPattern = nullptr;
  const char* starName = nullptr;
  while (*name) {
    if (*pattern == '*') {
      if (pattern[1] == '\0') return true;  // a last "*" takes the rest
      starPattern = ++pattern;
      starName = name;
    } else if (*pattern == '?' || (*pattern && same(*pattern, *name))) {
      ++pattern;
      ++name;
    } else if (starPattern) {
      pattern = starPattern;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

}  // namespace

bool MatchesWildcard(const char* pattern, const char* name) {
  return Matches(pattern, name, [](char a, char b) { return a == b; });
}

bool MatchesWildcardIgnoringCase(const char* pattern, const char* name) {
  return Matches(pattern, name, [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}
