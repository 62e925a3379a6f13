#include "renumber/RenameLog.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseLogLine, SplitsAtTheFirstArrow) {
  struct Case {
    std::string line;
    bool parsed;
    std::string from;
    std::string to;
  };
  const Case cases[] = {
      {"/p/a.jpg\t\t-> /p/001.jpg", true, "/p/a.jpg", "/p/001.jpg"},
      {"a b.jpg\t\t-> 1.jpg", true, "a b.jpg", "1.jpg"},
      {"a\t\t-> b\t\t-> c", true, "a", "b\t\t-> c"},
      {"\t\t-> 1.jpg", false, "", ""},
      {"a.jpg\t\t-> ", false, "", ""},
      {"a.jpg -> 1.jpg", false, "", ""},
      {"", false, "", ""},
  };
  for (const Case& c : cases) {
    const auto rename = ParseLogLine(c.line);
    ASSERT_EQ(rename.has_value(), c.parsed) << c.line;
    if (!rename) continue;
    EXPECT_EQ(rename->from, c.from);
    EXPECT_EQ(rename->to, c.to);
  }
}

}  // namespace
