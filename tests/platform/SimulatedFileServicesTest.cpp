#include "platform/os/SimulatedFileServices.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

#include "tests/support/TempDir.h"

namespace {

class SimulatedFileServicesTest : public TempDirTest {
 protected:
  std::vector<std::string> Found(const std::string& pattern) {
    std::vector<std::string> names;
    for (const DirEntry& entry : simulated.Search((Dir() + pattern).c_str(), EntryDetail::kFullRecords)) {
      names.push_back(entry.name);
    }
    return names;
  }
  SimulatedFileServices simulated;
};

using Names = std::vector<std::string>;

TEST_F(SimulatedFileServicesTest, RenamesInThePictureOnly) {
  TouchAll({"b.jpg", "IMG_10.jpg", "IMG_2.jpg"});
  std::vector<std::pair<std::string, std::string>> told;
  simulated.onRename = [&](const char* from, const char* to) { told.emplace_back(from, to); };

  EXPECT_EQ(simulated.Rename(PathOf("b.jpg").c_str(), PathOf("1.jpg").c_str()), 0);
  EXPECT_EQ(Found("*.jpg"), (Names{"1.jpg", "IMG_2.jpg", "IMG_10.jpg"}));
  EXPECT_EQ(simulated.Exists(PathOf("1.jpg").c_str()), 1);
  EXPECT_EQ(simulated.Exists(PathOf("b.jpg").c_str()), 0);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].second, PathOf("1.jpg"));
  EXPECT_EQ(Entries(), (Names{"IMG_10.jpg", "IMG_2.jpg", "b.jpg"})) << "the disk is untouched";
}

TEST_F(SimulatedFileServicesTest, NeverReplacesAndKnowsWhatIsMissing) {
  TouchAll({"a.jpg", "b.jpg"});
  EXPECT_EQ(simulated.Rename(PathOf("a.jpg").c_str(), PathOf("b.jpg").c_str()), EEXIST);
  EXPECT_EQ(simulated.Rename(PathOf("gone.jpg").c_str(), PathOf("c.jpg").c_str()), ENOENT);
  EXPECT_EQ(simulated.Rename(PathOf("a.jpg").c_str(), PathOf("nodir/c.jpg").c_str()), ENOENT);
  EXPECT_EQ(Found("*.jpg"), (Names{"a.jpg", "b.jpg"}));
  EXPECT_EQ(simulated.Exists(""), 0);
}

TEST_F(SimulatedFileServicesTest, RenamesStayInTheirDirectorysPicture) {
  Touch("a.jpg");
  MakeDir("sub");
  EXPECT_EQ(simulated.Rename(PathOf("a.jpg").c_str(), PathOf("sub/1.jpg").c_str()), EXDEV);
  EXPECT_EQ(Found("*.jpg"), Names{"a.jpg"});
}

TEST_F(SimulatedFileServicesTest, ARunDirectoryRenamesBareNamesAndTellsThemWithTheDirectory) {
  TouchAll({"a.jpg", "b.jpg"});
  std::vector<std::string> told;
  simulated.onRename = [&](const char* from, const char* to) { told.push_back(std::string(from) + " " + to); };
  std::unique_ptr<RunDirectory> directory;
  ASSERT_EQ(simulated.OpenRunDirectory(Dir().c_str(), directory), 0);
  EXPECT_EQ(directory->Rename("a.jpg", "b.jpg"), EEXIST);
  EXPECT_EQ(directory->Rename("a.jpg", "1.jpg"), 0);
  EXPECT_EQ(directory->Exists("1.jpg"), 1);
  EXPECT_EQ(told, Names{PathOf("a.jpg") + " " + PathOf("1.jpg")});
  EXPECT_EQ(simulated.IsDirectory(PathOf("1.jpg").c_str()), 0);
  MakeDir("d.jpg");
  SimulatedFileServices fresh;
  EXPECT_EQ(fresh.IsDirectory(PathOf("d.jpg").c_str()), 1) << "records are read for the first name";
  std::unique_ptr<RunDirectory> unreadable;
  EXPECT_EQ(simulated.OpenRunDirectory(PathOf("missing/").c_str(), unreadable), ENOENT);
}

TEST_F(SimulatedFileServicesTest, APictureTakesANameForTakenAsTheSystemDoes) {
  PackedNames names;
  names.Add("IMG_1.JPG");
  DirectoryPicture picture(std::move(names));
  EXPECT_EQ(picture.Exists("img_1.jpg"), NamesMatchIgnoringCase());
  EXPECT_EQ(picture.Rename("IMG_1.JPG", "img_1.jpg"), NamesMatchIgnoringCase() ? EEXIST : 0);
  EXPECT_TRUE(picture.Exists("IMG_1.JPG") || picture.Exists("img_1.jpg"));
}

TEST_F(SimulatedFileServicesTest, AManyTimesRenamedPictureFindsEveryName) {
  // Enough renames to grow and clear the picture's index several times.
  PackedNames names;
  for (int i = 0; i < 3000; ++i) names.Add("IMG_" + std::to_string(i) + ".jpg");
  DirectoryPicture picture(std::move(names));
  for (int round = 1; round <= 3; ++round) {
    for (int i = 0; i < 3000; ++i) {
      const std::string from = round == 1 ? "IMG_" + std::to_string(i) + ".jpg"
                                          : std::to_string(round - 1) + "-" + std::to_string(i) + ".jpg";
      ASSERT_EQ(picture.Rename(from.c_str(), (std::to_string(round) + "-" + std::to_string(i) + ".jpg").c_str()), 0);
    }
  }
  for (int i = 0; i < 3000; ++i) {
    EXPECT_EQ(picture.Find("3-" + std::to_string(i) + ".jpg"), static_cast<size_t>(i));
    EXPECT_FALSE(picture.Exists("2-" + std::to_string(i) + ".jpg"));
    EXPECT_STREQ(picture.OriginalName(i), ("IMG_" + std::to_string(i) + ".jpg").c_str());
  }
  const PackedNames listed = picture.List("3-1?.jpg");
  EXPECT_EQ(Names(listed.begin(), listed.end()), (Names{"3-10.jpg", "3-11.jpg", "3-12.jpg", "3-13.jpg", "3-14.jpg",
                                                        "3-15.jpg", "3-16.jpg", "3-17.jpg", "3-18.jpg", "3-19.jpg"}));
}

TEST_F(SimulatedFileServicesTest, WritesGoNowhereAndReadsFindTheFileUnderItsNameOnDisk) {
  FILE* file = simulated.Open(PathOf("renum.log").c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("line\n", file);
  std::fclose(file);
  EXPECT_TRUE(Entries().empty());

  Touch("a.jpg", "A");
  ASSERT_EQ(simulated.Rename(PathOf("a.jpg").c_str(), PathOf("1.jpg").c_str()), 0);
  file = simulated.Open(PathOf("1.jpg").c_str(), "r");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(std::fgetc(file), 'A');
  std::fclose(file);
}

}  // namespace
