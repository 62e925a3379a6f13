#include "platform/os/WildcardMatch.h"

bool MatchesWildcard(const char* pattern, const char* name) {
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
    } else if (*pattern == '?' || *pattern == *name) {
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
