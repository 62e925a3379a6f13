#include "viewer/ViewerPages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "tests/support/HeadlessDialogWindow.h"
#include "tests/support/FaultyFileServices.h"
#include "tests/support/FileLinks.h"
#include "tests/support/TempDir.h"
#include "tests/viewer/ExpectedFile.h"

namespace {

using Writer = std::function<int(const char*, const PageOptions&, DialogWindow&)>;

class ViewerPagesTest : public TempDirTest {
 protected:
  ViewerPagesTest() {
    fields.digitsText = "3";
    fields.prefixText = "trip";
    fields.secondsText = "4";
  }

  int Write(const Writer& writer) { return writer(Dir().c_str(), PageOptions{fields, 2, "gif"}, window); }

  PageFields fields;
  HeadlessDialogWindow window;
  FaultyFileServices files;
  ScopedFileServices filesInForce{files};
};

TEST_F(ViewerPagesTest, WritesTheSlideshowPageWithoutTheFileListEvenWhenAskedFor) {
  for (const int includeFileList : {0, 1}) {
    fields.includeFileList = includeFileList;
    EXPECT_EQ(Write(WriteSlideshowPage), 1);
    EXPECT_EQ(Read("KavoViewer.html"), ExpectedFile("KavoViewer.html")) << "includeFileList " << includeFileList;
  }
  EXPECT_TRUE(window.Messages().empty());
}

TEST_F(ViewerPagesTest, TheFolderTemplateCarriesTheFileListOnlyForExactlyOne) {
  fields.includeFileList = 1;
  EXPECT_EQ(Write(WriteFolderTemplate), 1);
  EXPECT_EQ(Read("Folder.htt"), ExpectedFile("Folder-with-file-list.htt"));

  // Without the file list the two documents are the same bytes.
  for (const int includeFileList : {0, 2}) {
    fields.includeFileList = includeFileList;
    EXPECT_EQ(Write(WriteFolderTemplate), 1);
    EXPECT_EQ(Write(WriteSlideshowPage), 1);
    EXPECT_EQ(Read("Folder.htt"), Read("KavoViewer.html")) << "includeFileList " << includeFileList;
    EXPECT_EQ(Read("Folder.htt"), ExpectedFile("KavoViewer.html"));
  }
  EXPECT_TRUE(window.Messages().empty());
}

TEST_F(ViewerPagesTest, ReplacesAnExistingDocument) {
  const std::string longer(5000, 'x');
  Touch("KavoViewer.html", longer);
  Touch("Folder.htt", longer);
  EXPECT_EQ(Write(WriteSlideshowPage), 1);
  EXPECT_EQ(Write(WriteFolderTemplate), 1);
  EXPECT_EQ(Read("KavoViewer.html"), ExpectedFile("KavoViewer.html"));
  EXPECT_EQ(Read("Folder.htt"), ExpectedFile("KavoViewer.html"));
}

TEST_F(ViewerPagesTest, NeverWritesThroughALinkOrASecondName) {
  MakeDir("outside");
  Touch("outside/victim.txt", "keep");
  Touch("outside/victim2.txt", "keep too");
  if (!MakeSymbolicLink(PathOf("outside/victim.txt"), PathOf("Folder.htt"))) GTEST_SKIP() << kNoSymbolicLinks;
  ASSERT_TRUE(MakeHardLink(PathOf("outside/victim2.txt"), PathOf("KavoViewer.html")));
  EXPECT_EQ(Write(WriteSlideshowPage), 1);
  EXPECT_EQ(Write(WriteFolderTemplate), 1);
  EXPECT_EQ(Read("outside/victim.txt"), "keep");
  EXPECT_EQ(Read("outside/victim2.txt"), "keep too");
  EXPECT_FALSE(std::filesystem::is_symlink(PathOf("Folder.htt")));
  EXPECT_EQ(Read("KavoViewer.html"), ExpectedFile("KavoViewer.html"));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Folder.htt", "KavoViewer.html", "outside"}));
}

TEST_F(ViewerPagesTest, ADocumentThatCannotBeOpenedGivesItsMessageAndZero) {
  const struct {
    Writer writer;
    const char* message;
  } cases[] = {
      {WriteFolderTemplate, "Could not write to Folder.htt file"},
      {WriteSlideshowPage, "Could not write to KavoViewer.html file"},
  };
  files.failOpen = true;
  for (const auto& c : cases) {
    HeadlessDialogWindow fresh;
    EXPECT_EQ(c.writer(Dir().c_str(), PageOptions{fields, 2, "gif"}, fresh), 0);
    ASSERT_EQ(fresh.Messages().size(), 1u) << c.message;
    EXPECT_EQ(fresh.Messages()[0].text.substr(0, fresh.Messages()[0].text.find('\n')), c.message);
    EXPECT_EQ(fresh.Messages()[0].caption, "Error");
    EXPECT_EQ(fresh.Messages()[0].style, kMessageStop);
  }
  EXPECT_TRUE(Entries().empty());
}

TEST_F(ViewerPagesTest, AnEmptyDirectoryWritesIntoTheCurrentDirectory) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(root_);
  const int written = WriteSlideshowPage("", PageOptions{fields, 2, "gif"}, window);
  std::filesystem::current_path(before);
  EXPECT_EQ(written, 1);
  EXPECT_EQ(Read("KavoViewer.html"), ExpectedFile("KavoViewer.html"));
}

}  // namespace
