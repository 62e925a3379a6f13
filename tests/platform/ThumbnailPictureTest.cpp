// The picture a thumbnail is drawn from, on POSIX: the embedded preview,
// else the file itself, and nothing from what is no plain file.

#include "platform/os/ThumbnailPicture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/FileLinks.h"
#include "tests/support/TempDir.h"

namespace {

class ThumbnailPictureTest : public TempDirTest {
 protected:
  void CopyFixture(const std::string& name) const {
    std::filesystem::copy_file(std::string(TARVINE_CAPTURE_TIMES_DATA "/") + name, PathOf(name));
  }
};

TEST_F(ThumbnailPictureTest, IsTheEmbeddedPreviewElseTheFileElseNothing) {
  for (const char* fixture : {"thumbnailed.jpg", "picture.png", "phone.mov"}) CopyFixture(fixture);
  const char damaged[] = "\xFF\xD8\xFF\xE1\x00\x10" "Exif\0\0MM\0*garbage";
  Touch("damaged.jpg", std::string(damaged, sizeof damaged - 1));
  Touch("huge.png");
  std::filesystem::resize_file(PathOf("huge.png"), kMostThumbnailFileBytes + 1);
  MakeDir("folder.jpg");
  ASSERT_TRUE(MakePipeEntry(PathOf("pipe.jpg")));
  const bool linked = MakeSymbolicLink(PathOf("thumbnailed.jpg"), PathOf("link.jpg"));

  enum Expected { kEmbedded, kWholeFile, kNothing };
  const struct {
    const char* name;
    int edge;
    Expected expected;
  } cases[] = {
      {"thumbnailed.jpg", 16, kEmbedded},   // its 32 x 24 Exif thumbnail
      {"thumbnailed.jpg", 500, kEmbedded},  // the largest it has
      {"picture.png", 48, kWholeFile},      // embeds none
      {"damaged.jpg", 48, kWholeFile},      // for the decoder to refuse
      {"phone.mov", 48, kNothing},          // a video
      {"huge.png", 48, kNothing},           // too long to read whole
      {"folder.jpg", 48, kNothing},
      {"pipe.jpg", 48, kNothing},  // never waited on
      {"gone.jpg", 48, kNothing},
      {"link.jpg", 48, kNothing},  // never followed
      {"sub/x.jpg", 48, kNothing},  // no bare name
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (std::string(c.name) == "link.jpg" && !linked) continue;
    const std::string picture = ReadThumbnailPicture(Dir(), c.name, c.edge);
    switch (c.expected) {
      case kEmbedded: {
        const std::string file = Read(c.name);
        EXPECT_EQ(picture.substr(0, 2), "\xFF\xD8");
        EXPECT_LT(picture.size(), file.size());
        EXPECT_NE(file.find(picture), std::string::npos) << "a part of the file";
        break;
      }
      case kWholeFile:
        EXPECT_EQ(picture, Read(c.name));
        break;
      case kNothing:
        EXPECT_EQ(picture, "");
        break;
    }
  }
}

}  // namespace
