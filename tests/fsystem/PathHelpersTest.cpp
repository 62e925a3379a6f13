#include "fsystem/PathHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/FileLinks.h"
#include "tests/support/TempDir.h"

namespace {

// Every token of a split, "(null)" marking its end.
std::vector<std::string> Tokens(const char* text, char delimiter) {
  std::vector<std::string> tokens;
  for (const char* token = NextToken(text, delimiter); token; token = NextToken(nullptr, 0)) {
    tokens.push_back(token);
    if (tokens.size() > 300) break;
  }
  tokens.push_back("(null)");
  return tokens;
}

TEST(NextToken, ReturnsEveryTokenIncludingEmptyOnes) {
  using T = std::vector<std::string>;
  struct Case {
    const char* text;
    T expected;
  };
  const Case cases[] = {
      {"C:\\pics\\holiday.jpg", T{"C:\\pics\\holiday", "jpg", "(null)"}},
      {"a..b", T{"a", "", "b", "(null)"}},
      {".a", T{"", "a", "(null)"}},
      {"a.", T{"a", "", "(null)"}},
      {"", T{"", "(null)"}},
      {"plain", T{"plain", "(null)"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Tokens(c.text, '.'), c.expected) << c.text;
}

TEST(NextToken, ContinuingWithoutASplitGivesNull) {
  Tokens("x", '.');  // exhausts the split
  EXPECT_EQ(NextToken(nullptr, '.'), nullptr);
  EXPECT_EQ(NextToken(nullptr, 0), nullptr);
}

TEST(NextToken, ContinuationUsesTheRememberedDelimiter) {
  EXPECT_STREQ(NextToken("a.b,c", '.'), "a");
  EXPECT_STREQ(NextToken(nullptr, ','), "b,c");
}

TEST(NextToken, SplitsOnlyTheFirst255Bytes) {
  std::string text;
  for (int i = 0; i < 150; ++i) text += "a.";
  const auto tokens = Tokens(text.c_str(), '.');
  ASSERT_EQ(tokens.size(), 129u);  // 128 tokens and the end
  EXPECT_EQ(tokens[127], "a");
}

TEST(NextToken, CutsLongTokensButSkipsThemWhole) {
  const std::string text = std::string(150, 'x') + ".jpg";
  EXPECT_EQ(std::string(NextToken(text.c_str(), '.')), std::string(100, 'x'));
  EXPECT_STREQ(NextToken(nullptr, 0), "jpg");
}

TEST(NextToken, NeverChangesTheCallersText) {
  char text[] = "a.b";
  NextToken(text, '.');
  NextToken(nullptr, 0);
  EXPECT_STREQ(text, "a.b");
}

TEST(DirectoryOf, KeepsDriveAndDirectory) {
  struct Case {
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\pics\\holiday.jpg", "C:\\pics\\"},
      {"C:\\pics\\summer holiday photo.jpg", "C:\\pics\\"},
      {"C:holiday.jpg", "C:"},
      {"pics/a.jpg", "pics/"},
      {"holiday.jpg", ""},
      {"", ""},
      {"/x.jpg", "/"},
      {"/home/me/my.pics/x.jpg", "/home/me/my.pics/"},
      {"/home/me/pics/", "/home/me/pics/"},
      {"a\\b/c.jpg", "a\\b/"},
  };
  for (const Case& c : cases) EXPECT_STREQ(DirectoryOf(c.path), c.expected) << c.path;
}

TEST(DirectoryOf, ReturnsLongDirectoriesWholeUpToThePathLimit) {
  const std::string directory = "/" + std::string(250, 'd') + "/";
  EXPECT_EQ(std::string(DirectoryOf((directory + "photo.jpg").c_str())), directory);
  const std::string huge = "/" + std::string(1000, 'd') + "/x.jpg";
  EXPECT_EQ(std::string(DirectoryOf(huge.c_str())).size(), static_cast<size_t>(kMaxPathText));
}

TEST(JoinPath, JoinsIntoOneBufferThatTheNextCallReuses) {
  char* first = JoinPath("*.", "jpg");
  EXPECT_STREQ(first, "*.jpg");
  char* second = JoinPath("/pics/", "renum.log");
  EXPECT_EQ(first, second);
  EXPECT_STREQ(second, "/pics/renum.log");
  const std::string big(2000, 'x');
  EXPECT_EQ(std::string(JoinPath(big.c_str(), "y")).size(), static_cast<size_t>(kJoinPathRoom - 1));
}

class FileExistsTest : public TempDirTest {};

TEST_F(FileExistsTest, AnythingWithTheNameExists) {
  Touch("a.jpg");
  MakeDir("sub");
  if (!MakeSymbolicLink("nowhere", PathOf("dangling.jpg"))) GTEST_SKIP() << kNoSymbolicLinks;
  EXPECT_EQ(FileExists(PathOf("a.jpg").c_str()), 1);
  EXPECT_EQ(FileExists(PathOf("sub").c_str()), 1);
  EXPECT_EQ(FileExists(PathOf("dangling.jpg").c_str()), 1);
  EXPECT_EQ(FileExists(PathOf("b.jpg").c_str()), 0);
  EXPECT_EQ(FileExists(PathOf("*.jpg").c_str()), 0);
  EXPECT_EQ(FileExists(""), 0);
}

}  // namespace
