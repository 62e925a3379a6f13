#include "platform/os/WildcardMatch.h"

#include <gtest/gtest.h>

namespace {

TEST(WildcardMatch, MatchesAsTheDirectorySearchDoes) {
  struct Case {
    const char* pattern;
    const char* name;
    bool expected;
  };
  const Case cases[] = {
      {"*.jpg", "a.jpg", true},          {"*.jpg", ".jpg", true},
      {"*.jpg", ".hidden.jpg", true},    {"*.jpg", "a.JPG", false},
      {"*.jpg", "a.jpg.bak", false},     {"*.jpg", "a.jpgx", false},
      {"*.jpg", "jpg", false},           {"*.jpg", "x.jpg.jpg", true},
      {"?.jpg", "a.jpg", true},          {"?.jpg", "ab.jpg", false},
      {"?.jpg", ".jpg", false},          {"[a].jpg", "a.jpg", false},
      {"[a].jpg", "[a].jpg", true},      {"a\\b.jpg", "a\\b.jpg", true},
      {"*", "", true},                   {"", "", true},
      {"", "a", false},                  {"*.", ".", true},
      {"*.", "..", true},                {"*a*b", "xxaxxbxxb", true},
      {"*a*b", "xxaxxbxxc", false},      {"**", "anything", true},
      {"*.log", "renum.log", true},      {"*.\xC3\xA9", "x.\xC3\xA9", true},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.expected) << c.pattern << " ~ " << c.name;
}

TEST(WildcardMatch, IgnoringCaseFoldsAsciiLettersAlone) {
  struct Case {
    const char* pattern;
    const char* name;
    bool expected;
  };
  const Case cases[] = {
      {"*.jpg", "a.JPG", true},         {"IMG_?.jpg", "img_1.Jpg", true}, {"*.jpg", "a.jpeg", false},
      {"*.jpg", "x.jpgx", false},       {"\xc3\xa9", "\xc3\x89", false},   {"*.[", "a.[", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesWildcardIgnoringCase(c.pattern, c.name), c.expected) << c.pattern << " ~ " << c.name;
  }
}

TEST(WildcardMatch, ManyStarsStayFast) {
  // A pathological pattern that exponential backtracking could not finish.
  const std::string name(5000, 'a');
  EXPECT_FALSE(MatchesWildcard("*a*a*a*a*a*a*a*a*a*b", name.c_str()));
}

}  // namespace
