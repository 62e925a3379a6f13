#include "platform/os/DirectorySearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <set>
#include <string>

#include "platform/os/NaturalOrder.h"
#include "tests/support/FileLinks.h"
#include "tests/support/TestSystem.h"
#include "tests/support/TempDir.h"
#include "tests/support/WorkingDirectory.h"

namespace {

TEST(SplitSearchText, SplitsAfterTheLastSlash) {
  struct Case {
    const char* text;
    const char* directory;
    const char* pattern;
  };
  const Case cases[] = {
      {"pics/*.jpg", "pics/", "*.jpg"}, {"/*.jpg", "/", "*.jpg"},      {"*.jpg", ".", "*.jpg"},
      {"a\\b/*.jpg", "a\\b/", "*.jpg"}, {"pics/", "pics/", ""},        {"/a/b.c/*.d", "/a/b.c/", "*.d"},
  };
  for (const Case& c : cases) {
    const SearchText split = SplitSearchText(c.text);
    EXPECT_EQ(split.directory, c.directory) << c.text;
    EXPECT_EQ(split.pattern, c.pattern) << c.text;
  }
}

class DirectorySearchTest : public TempDirTest {
 protected:
  std::vector<std::string> Found(const std::string& pattern, EntryDetail detail = EntryDetail::kFullRecords) {
    std::vector<std::string> names;
    for (const DirEntry& entry : SearchDirectory((Dir() + pattern).c_str(), detail)) {
      names.push_back(entry.name);
    }
    return names;
  }
  // The names of the packed listing.
  std::vector<std::string> Packed(const std::string& pattern) {
    const PackedNames names = SearchDirectoryNames((Dir() + pattern).c_str());
    return {names.begin(), names.end()};
  }
};

using Names = std::vector<std::string>;

TEST_F(DirectorySearchTest, DeliversEveryMatchInNaturalOrder) {
  // Created in shuffled order, so the directory's own order is not the answer.
  Names expected;
  for (int i = 1; i <= 120; ++i) expected.push_back("IMG_" + std::to_string(i) + ".jpg");
  Names shuffled = expected;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(3));
  TouchAll(shuffled);
  Touch("IMG_5.JPG");
  Touch("notes.txt");
  EXPECT_EQ(Found("*.jpg"), expected);
  EXPECT_EQ(Found("*.jpg", EntryDetail::kNamesOnly), expected);
  EXPECT_EQ(Packed("*.jpg"), expected);
}

// Names alike in their first 16 bytes and beyond, differing in case, leading
// zeros and digit runs of every length: the search's order is CompareNatural's.
TEST_F(DirectorySearchTest, OrdersNamesAlikeFarIntoThemAsCompareNaturalDoes) {
  std::mt19937 random(9);
  const char* stems[] = {"Holiday in Crete 2023 - IMG_", "holiday in crete 2023 - img_", "Holiday in Crete 2023 - IMG_0",
                         "a", "A", "IMG_", "img_00", "x9", "x10"};
  std::set<std::string> unique;
  for (int i = 0; i < 400; ++i) {
    unique.insert(stems[random() % std::size(stems)] + std::to_string(random() % (i % 3 == 0 ? 20 : 2000000000)) +
                  (random() % 2 ? ".jpg" : "b.jpg"));
  }
  Names shuffled(unique.begin(), unique.end());
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(4));
  TouchAll(shuffled);
  // Where names match in any case (Windows), "a6.jpg" and "A6.jpg" are one.
  Names expected = Entries();
  std::sort(expected.begin(), expected.end(),
            [](const std::string& a, const std::string& b) { return CompareNatural(a.c_str(), b.c_str()) < 0; });
  EXPECT_EQ(Found("*.jpg"), expected);
  EXPECT_EQ(Found("*.jpg", EntryDetail::kNamesOnly), expected);
}

TEST_F(DirectorySearchTest, ALargeDirectoryIsReadWholeAndInOrder) {
  if (RunningUnderWine()) GTEST_SKIP() << "4,200 files take Wine a minute to make";
  // Large enough that its records are read in two halves at once.
  Names expected;
  for (int i = 1; i <= 4200; ++i) expected.push_back("f" + std::to_string(i) + ".jpg");
  Names shuffled = expected;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(5));
  for (const auto& name : shuffled) Touch(name, name);
  const std::vector<DirEntry> found = SearchDirectory((Dir() + "*.jpg").c_str(), EntryDetail::kFullRecords);
  Names names;
  for (const DirEntry& entry : found) {
    names.push_back(entry.name);
    ASSERT_EQ(entry.size, entry.name.size()) << entry.name;
  }
  EXPECT_EQ(names, expected);
}

TEST_F(DirectorySearchTest, DeliversDirectoriesHiddenEntriesAndLinks) {
  Touch(".hidden.jpg");
  MakeDir("folder.jpg");
  if (!MakeSymbolicLink("nowhere", PathOf("dangling.jpg"))) GTEST_SKIP() << kNoSymbolicLinks;
  Touch("b.jpg");
  EXPECT_EQ(Found("*.jpg"), (Names{".hidden.jpg", "b.jpg", "dangling.jpg", "folder.jpg"}));
  EXPECT_EQ(Found("*"), (Names{".", "..", ".hidden.jpg", "b.jpg", "dangling.jpg", "folder.jpg"}));
  EXPECT_EQ(Found("?"), (Names{"."}));
  EXPECT_EQ(Found("*", EntryDetail::kNamesOnly), Found("*"));
  EXPECT_EQ(Packed("*"), Found("*"));
  EXPECT_TRUE(Packed("missing/*").empty());
}

TEST_F(DirectorySearchTest, AMissingDirectoryFindsNothing) {
  EXPECT_TRUE(Found("missing/*.jpg").empty());
  Touch("file.jpg");
  EXPECT_TRUE(Found("file.jpg/*.jpg").empty());  // not a directory
}

TEST_F(DirectorySearchTest, WithoutASlashSearchesTheCurrentDirectory) {
  Touch("here.jpg");
  std::vector<DirEntry> found;
  {
    const ScopedWorkingDirectory inRoot(root_.string());
    found = SearchDirectory("*.jpg", EntryDetail::kFullRecords);
  }
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, "here.jpg");
}

TEST_F(DirectorySearchTest, RecordsTimeSizeAndAttributes) {
  Touch("a.jpg", std::string(1234, 'x'));
  const std::vector<DirEntry> found = SearchDirectory((Dir() + "*.jpg").c_str(), EntryDetail::kFullRecords);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].size, 1234u);
  EXPECT_EQ(found[0].attributes, FileAttribute::kArchive);
  EXPECT_GT(found[0].lastWriteTime, 1700000000);
}

TEST_F(DirectorySearchTest, NamesOnlyLeavesTheRecordsUnread) {
  Touch("a.jpg", std::string(1234, 'x'));
  MakeDir("d.jpg");
  const std::vector<DirEntry> found = SearchDirectory((Dir() + "*.jpg").c_str(), EntryDetail::kNamesOnly);
  ASSERT_EQ(found.size(), 2u);
  for (const DirEntry& entry : found) {
    EXPECT_EQ(entry.size, 0u) << entry.name;
    EXPECT_EQ(entry.attributes, 0) << entry.name;
    EXPECT_EQ(entry.lastWriteTime, -1) << entry.name;
  }
}

}  // namespace
