#include "fsystem/FileList.h"

#include <gtest/gtest.h>

#include <chrono>

#include <ctime>

#include "fsystem/FileCompare.h"
#include "fsystem/FileItem.h"
#include "tests/support/FaultyFileServices.h"
#include "tests/support/TempDir.h"

namespace {

class FileListTest : public TempDirTest {
 protected:
  std::vector<std::string> Listed(const char* pattern, int sortType) {
    FileList list;
    list.Load(Dir().c_str(), pattern, 0, sortType);
    std::vector<std::string> names;
    for (ListNode* node = list.First(); node; node = list.Next()) names.push_back(list.CurrentName());
    return names;
  }

  const FileItem& ItemNamed(FileList& list, const std::string& name) {
    for (ListNode* node = list.First(); node; node = list.Next()) {
      if (name == list.CurrentName()) return *static_cast<FileItem*>(node->Item());
    }
    throw std::runtime_error("not listed: " + name);
  }

  // Sets a file's last-write time to a local date and time.
  void SetLocalTime(const std::string& name, int day, int hour, int minute, int second) {
    struct tm when = {};
    when.tm_year = 2024 - 1900;
    when.tm_mon = 4;
    when.tm_mday = day;
    when.tm_hour = hour;
    when.tm_min = minute;
    when.tm_sec = second;
    when.tm_isdst = -1;
    const auto moment = std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(mktime(&when)));
    std::error_code error;
    std::filesystem::last_write_time(PathOf(name), moment, error);
    ASSERT_FALSE(error) << error.message();
  }
};

using Names = std::vector<std::string>;

TEST_F(FileListTest, NothingToListGivesAnEmptyList) {
  FileList list;
  EXPECT_EQ(list.CurrentName(), nullptr);
  list.Scan();  // no search path yet
  EXPECT_EQ(list.First(), nullptr);
  list.Load((Dir() + "missing/").c_str(), "*.jpg", 0, 0);
  EXPECT_EQ(list.First(), nullptr);
  Touch("a.png");
  list.Load(Dir().c_str(), "*.jpg", 0, 0);
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(list.CurrentName(), nullptr);
}

TEST_F(FileListTest, LoadKeepsItsArguments) {
  FileList list;
  EXPECT_STREQ(list.ClassName(), "FileList");
  EXPECT_EQ(list.SearchPath(), nullptr);
  list.Load("/nowhere/", "*.jpg", 42, 0);
  EXPECT_EQ(std::string(list.SearchPath()), "/nowhere/*.jpg");
  EXPECT_EQ(list.UserValue(), 42);
}

TEST_F(FileListTest, ListingOrderIsTheDeliveryOrder) {
  TouchAll({"IMG_10.jpg", "b.jpg", "IMG_2.jpg", "A.jpg", "a.png"});
  EXPECT_EQ(Listed("*.jpg", kSortAsListed), (Names{"A.jpg", "b.jpg", "IMG_2.jpg", "IMG_10.jpg"}));
  EXPECT_EQ(Listed("*.jpg", 7), Listed("*.jpg", kSortAsListed));

  FaultyFileServices scripted;
  scripted.listingOrder = {"b.jpg", "IMG_10.jpg", "A.jpg", "IMG_2.jpg"};
  ScopedFileServices inForce(scripted);
  EXPECT_EQ(Listed("*.jpg", kSortAsListed), scripted.listingOrder);
}

TEST_F(FileListTest, SortTypesOrderByNameExtensionAndTime) {
  TouchAll({"a1.jpg", "B.jpg", "a.jpg"});
  EXPECT_EQ(Listed("*.jpg", kSortByName), (Names{"B.jpg", "a.jpg", "a1.jpg"}));

  TouchAll({"a.gif", "b.bmp", "README", "x.tar.gz"});
  EXPECT_EQ(Listed("*", kSortByExtension),
            (Names{".", "README", "..", "b.bmp", "a.gif", "B.jpg", "a.jpg", "a1.jpg", "x.tar.gz"}));

  for (const char* name : {"a1.jpg", "B.jpg", "a.jpg", "x.tar.gz"}) SetLocalTime(name, 1, 23, 0, 0);
  SetLocalTime("b.bmp", 3, 10, 0, 0);
  SetLocalTime("a.gif", 4, 10, 0, 0);  // the same time of day, another day: by name
  SetLocalTime("README", 5, 9, 0, 0);
  Names byTime = Listed("*", kSortByTime);
  std::erase_if(byTime, [](const std::string& name) { return name == "." || name == ".."; });
  EXPECT_EQ(byTime, (Names{"README", "a.gif", "b.bmp", "B.jpg", "a.jpg", "a1.jpg", "x.tar.gz"}));
}

TEST_F(FileListTest, RecordsDescribeTheEntry) {
  Touch("photo.jpg", "12345");
  MakeDir("old.jpg");
  Touch(".hidden.jpg");
  Touch("locked.jpg");
  using std::filesystem::perms;  // no one may write it (on Windows: the read-only attribute)
  std::filesystem::permissions(PathOf("locked.jpg"), perms::owner_write | perms::group_write | perms::others_write,
                               std::filesystem::perm_options::remove);
  SetLocalTime("photo.jpg", 1, 0, 0, 1);
  SetLocalTime("locked.jpg", 1, 23, 59, 59);

  FileList list;
  list.Load(Dir().c_str(), "*.jpg", 0, 0);
  EXPECT_STREQ(list.CurrentName(), "photo.jpg") << "the cursor rests on the node added last";
  const FileItem& photo = ItemNamed(list, "photo.jpg");
  EXPECT_EQ(photo.size, 5u);
  EXPECT_EQ(photo.attributes, FileAttribute::kArchive);
  EXPECT_EQ(photo.sortKey, 0);
  EXPECT_EQ(photo.timeKey, 0);
  EXPECT_STREQ(photo.ClassName(), "FileItem");
  EXPECT_EQ(ItemNamed(list, "locked.jpg").timeKey, 86398);
  EXPECT_EQ(ItemNamed(list, "locked.jpg").attributes, FileAttribute::kArchive | FileAttribute::kReadOnly);
  EXPECT_EQ(ItemNamed(list, "old.jpg").attributes, FileAttribute::kDirectory);
  EXPECT_EQ(ItemNamed(list, ".hidden.jpg").attributes, FileAttribute::kArchive | FileAttribute::kHidden);
  for (ListNode* node = list.First(); node; node = list.Next()) EXPECT_STREQ(node->Key(), "FCB");
}

TEST_F(FileListTest, ANamesOnlyLoadListsAsSortTypeZeroWithoutReadingRecords) {
  TouchAll({"b10.jpg", "b9.jpg", ".hidden.jpg", "a.gif"});
  Touch("sized.jpg", "12345");
  MakeDir("dir.jpg");
  FileList list;
  list.LoadNames(Dir().c_str(), "*.jpg");
  EXPECT_EQ(Names(list.Names().begin(), list.Names().end()), Listed("*.jpg", kSortAsListed)) << "packed, no records";
  Names names;
  for (ListNode* node = list.First(); node; node = list.Next()) {
    names.push_back(list.CurrentName());
    EXPECT_STREQ(node->Key(), "FCB");
    const FileItem& item = *static_cast<FileItem*>(node->Item());
    EXPECT_EQ(item.size, 0u);
    EXPECT_EQ(item.attributes, 0);
    EXPECT_EQ(item.timeKey, 0);
  }
  EXPECT_EQ(names, Listed("*.jpg", kSortAsListed));
  EXPECT_EQ(list.UserValue(), 0);
  EXPECT_STREQ(list.SearchPath(), (Dir() + "*.jpg").c_str());

  list.Scan();  // a rescan keeps to names
  EXPECT_EQ(ItemNamed(list, "sized.jpg").size, 0u);
  list.Load(Dir().c_str(), "*.jpg", 0, kSortAsListed);
  EXPECT_EQ(ItemNamed(list, "sized.jpg").size, 5u);
  EXPECT_EQ(ItemNamed(list, "dir.jpg").attributes, FileAttribute::kDirectory);
}

TEST_F(FileListTest, ASecondLoadReplacesTheContent) {
  TouchAll({"a.jpg", "b.gif"});
  FileList list;
  list.Load(Dir().c_str(), "*.jpg", 0, 0);
  list.Load(Dir().c_str(), "*.gif", 0, 0);
  ASSERT_NE(list.First(), nullptr);
  EXPECT_STREQ(list.CurrentName(), "b.gif");
  EXPECT_EQ(list.Next(), nullptr);
}

TEST(FileCompare, ExtensionOfTakesTheTextAfterTheFirstDot) {
  EXPECT_STREQ(ExtensionOf("a.jpg"), "jpg");
  EXPECT_STREQ(ExtensionOf("x.tar.gz"), "tar.gz");
  EXPECT_STREQ(ExtensionOf(".profile"), "profile");
  EXPECT_STREQ(ExtensionOf("README"), "");
  EXPECT_STREQ(ExtensionOf("a."), "");
}

TEST(FileItem, TimeOfDayKeyHasTwoSecondSteps) {
  EXPECT_EQ(TimeOfDayKey(-1), 0);
  struct tm when = {};
  when.tm_year = 100;
  when.tm_mday = 1;
  when.tm_hour = 12;
  when.tm_min = 34;
  when.tm_sec = 57;
  when.tm_isdst = -1;
  EXPECT_EQ(TimeOfDayKey(mktime(&when)), 45296);
}

}  // namespace
