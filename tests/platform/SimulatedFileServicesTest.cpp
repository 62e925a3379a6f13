#include "platform/os/SimulatedFileServices.h"

#include <gtest/gtest.h>

#include <cerrno>

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

TEST_F(SimulatedFileServicesTest, MovesIntoASubdirectoryOfThePicture) {
  Touch("a.jpg");
  MakeDir("sub");
  EXPECT_EQ(simulated.Rename(PathOf("a.jpg").c_str(), PathOf("sub/1.jpg").c_str()), 0);
  EXPECT_EQ(simulated.Exists(PathOf("sub/1.jpg").c_str()), 1);
  EXPECT_TRUE(Found("*.jpg").empty());
}

TEST_F(SimulatedFileServicesTest, WritesGoNowhere) {
  FILE* file = simulated.Open(PathOf("renum.log").c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("line\n", file);
  std::fclose(file);
  EXPECT_TRUE(Entries().empty());
}

}  // namespace
