#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "platform/os/posix/PosixFileServices.h"
#include "tests/support/TempDir.h"

namespace {

using RenameFn = int (*)(const char*, const char*);

// Both the flag's way and the by-hand way must keep every name.
class RenameNoReplaceTest : public TempDirTest, public ::testing::WithParamInterface<RenameFn> {
 protected:
  int Rename(const std::string& from, const std::string& to) { return GetParam()(PathOf(from).c_str(), PathOf(to).c_str()); }
};

TEST_P(RenameNoReplaceTest, RenamesToAFreeName) {
  Touch("a.jpg", "A");
  EXPECT_EQ(Rename("a.jpg", "001.jpg"), 0);
  EXPECT_EQ(Entries(), std::vector<std::string>{"001.jpg"});
  EXPECT_EQ(Read("001.jpg"), "A");
}

TEST_P(RenameNoReplaceTest, NeverReplacesATakenName) {
  Touch("a.jpg", "A");
  Touch("b.jpg", "B");
  MakeDir("dir.jpg");
  ASSERT_EQ(symlink("nowhere", PathOf("link.jpg").c_str()), 0);
  for (const char* taken : {"b.jpg", "dir.jpg", "link.jpg"}) {
    EXPECT_EQ(Rename("a.jpg", taken), EEXIST) << taken;
  }
  EXPECT_EQ(Rename("dir.jpg", "b.jpg"), EEXIST);
  EXPECT_EQ(Read("a.jpg"), "A");
  EXPECT_EQ(Read("b.jpg"), "B");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"a.jpg", "b.jpg", "dir.jpg", "link.jpg"}));
}

TEST_P(RenameNoReplaceTest, RenamesDirectoriesAndLinksThemselves) {
  MakeDir("old.jpg");
  Touch("old.jpg/inside");
  ASSERT_EQ(symlink("nowhere", PathOf("link.jpg").c_str()), 0);
  EXPECT_EQ(Rename("old.jpg", "001.jpg"), 0);
  EXPECT_EQ(Rename("link.jpg", "002.jpg"), 0);
  EXPECT_EQ(Read("001.jpg/inside"), "");
  char target[16] = {};
  ASSERT_GT(readlink(PathOf("002.jpg").c_str(), target, sizeof target - 1), 0);
  EXPECT_STREQ(target, "nowhere");
}

TEST_P(RenameNoReplaceTest, AMissingSourceFails) {
  EXPECT_EQ(Rename("gone.jpg", "001.jpg"), ENOENT);
  EXPECT_TRUE(Entries().empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, RenameNoReplaceTest, ::testing::Values(&RenameNoReplace, &RenameNoReplaceByHand),
                         [](const auto& info) { return info.index == 0 ? std::string("WithFlag") : std::string("ByHand"); });

}  // namespace
