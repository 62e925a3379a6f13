#include "renumber/RenameLog.h"
#include "renumber/RenameIds.h"

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

TEST(IdentityLine, ReadsBackWhatItWroteAndNothingElse) {
  const FileIdentity identities[] = {{2048, 1700000000123456789, 131}, {0, -5, 0}, {UINT64_MAX, INT64_MIN, UINT64_MAX}};
  for (const FileIdentity& identity : identities) {
    const auto read = ParseIdentityLine(IdentityLine(&identity));
    ASSERT_TRUE(read.has_value()) << IdentityLine(&identity);
    EXPECT_EQ(IdentityLine(&*read), IdentityLine(&identity));
  }
  EXPECT_EQ(IdentityLine(&identities[0]), "2048 1700000000123456789 131");
  EXPECT_EQ(IdentityLine(nullptr), "-");
  for (const char* line : {"-", "12 x 3", "1 2", "1 2 3 4", "", "1  2 3", "# 3 2 0: 0: 3:jpg"}) {
    EXPECT_FALSE(ParseIdentityLine(line).has_value()) << line;
  }
}

TEST(FileIdentity, TheIndexDecidesWhereTheFileSystemKeepsOneElseSizeAndTime) {
  struct Case {
    FileIdentity logged, now;
    bool matches;
  };
  const Case cases[] = {
      {{10, 5, 7}, {10, 5, 7}, true},
      {{10, 5, 7}, {11, 6, 7}, true},   // edited in place: the same file
      {{10, 5, 7}, {10, 5, 8}, false},  // another file of the same size and time
      {{10, 5, 0}, {10, 5, 9}, true},   // FAT, exFAT: no index kept
      {{10, 5, 0}, {10, 6, 0}, false},
      {{10, 5, 0}, {11, 5, 0}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.logged.Matches(c.now), c.matches) << IdentityLine(&c.now);
}

TEST(IdsHeader, WritesTheRuleReadsItBackAndTellsItsNames) {
  const IdsHeader headers[] = {{3, 2, "", "", "jpg"}, {0, 5, "a b", ":", "JPG"}, {7, -3, "1:", " 2", "x.*g"}};
  for (const IdsHeader& header : headers) {
    const auto read = ParseHeaderLine(HeaderLine(header));
    ASSERT_TRUE(read.has_value()) << HeaderLine(header);
    EXPECT_EQ(HeaderLine(*read), HeaderLine(header));
  }
  EXPECT_EQ(HeaderLine(headers[0]), "# 3 2 0: 0: 3:jpg");
  for (const char* line : {"2048 17 131", "# 3 2 4:ab", "# 3 2 0: 0: 3:jpg ", "#3 2 0: 0: 3:jpg", ""}) {
    EXPECT_FALSE(ParseHeaderLine(line).has_value()) << line;
  }

  struct Case {
    IdsHeader rule;
    const char* name;
    bool named;
  };
  const Case cases[] = {
      {{0, 2, "", "", "jpg"}, "01.jpg", true},       {{0, 2, "", "", "jpg"}, "123.JPG", true},
      {{0, 2, "", "", "jpg"}, "1.jpg", false},       {{0, 2, "", "", "jpg"}, "a1.jpg", false},
      {{0, 2, "", "", "jpg"}, "01.jpeg", false},     {{0, 2, "", "", "jpg"}, "01.jpg.jpg", false},
      {{0, 0, "trip-", "", "jpg"}, "trip-7.jpg", true}, {{0, 0, "trip-", "", "jpg"}, "trip-.jpg", false},
      {{0, 0, "", "_x", "jpg"}, "7_x.jpg", true},    {{0, -3, "", "", "jpg"}, "1  .jpg", true},
  };
  for (const Case& c : cases) EXPECT_EQ(c.rule.Names(c.name), c.named) << c.name;
}

}  // namespace
