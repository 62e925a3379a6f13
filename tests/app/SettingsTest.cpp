#include "app/Settings.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/HeadlessDialogWindow.h"
#include "tests/support/FaultyFileServices.h"
#include "tests/support/TempDir.h"
#include "tests/support/WorkingDirectory.h"

namespace {

class SettingsTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    const char* home = std::getenv("HOME");
    savedHome_ = home ? home : "";
    setenv("HOME", "/home/someone", 1);
    cwd_ = std::make_unique<ScopedWorkingDirectory>(root_.string());
  }
  void TearDown() override {
    cwd_.reset();
    setenv("HOME", savedHome_.c_str(), 1);
    TempDirTest::TearDown();
  }

  ProgramValues Loaded() {
    ProgramValues values;
    LoadSettings(values, window);
    return values;
  }

  HeadlessDialogWindow window;
  std::string savedHome_;
  std::unique_ptr<ScopedWorkingDirectory> cwd_;
};

TEST_F(SettingsTest, WithoutAFileTheDefaultsStandSilently) {
  const ProgramValues values = Loaded();
  EXPECT_STREQ(values.viewerPath, "xdg-open");
  EXPECT_STREQ(values.lastDirectory, "/home/someone/");
  EXPECT_EQ(std::string(values.settingsPath), PathOf("Tarvine.ini"));
  EXPECT_TRUE(window.Messages().empty());
  EXPECT_TRUE(Entries().empty()) << "no file is made at start";
}

TEST_F(SettingsTest, ReadsEachLineWholeUpToItsValuesRoom) {
  const std::string home = "/home/someone/";
  struct Case {
    std::string content;
    std::string viewer;
    std::string directory;
  };
  const Case cases[] = {
      {"", "xdg-open", home},
      {"/usr/bin/firefox\n", "/usr/bin/firefox", home},
      {"\n/pics/\n", "", "/pics/"},
      {"v\n/pics/", "v", "/pics/"},
      {"  v  \n /pics/ \n", "  v  ", " /pics/ "},
      {"v\n/pics/\nignored\n", "v", "/pics/"},
      {std::string(199, 'v') + "\n/pics/\n", std::string(199, 'v'), "/pics/"},
      {std::string(200, 'v') + "\n/pics/\n", std::string(200, 'v'), "/pics/"},
      {std::string(250, 'v') + "\n/pics/\n", std::string(200, 'v'), "/pics/"},
      {"v\n" + std::string(300, 'd') + "\n", "v", std::string(300, 'd')},
      {"v\n" + std::string(350, 'd') + "\n", "v", std::string(300, 'd')},
  };
  for (const Case& c : cases) {
    Touch("Tarvine.ini", c.content);
    const ProgramValues values = Loaded();
    EXPECT_EQ(values.viewerPath, c.viewer) << c.content;
    EXPECT_EQ(values.lastDirectory, c.directory) << c.content;
  }
  EXPECT_TRUE(window.Messages().empty());
}

TEST_F(SettingsTest, AFileThatCannotBeReadLeavesTheDefaultsWithAMessage) {
  MakeDir("Tarvine.ini");
  ProgramValues values = Loaded();
  EXPECT_STREQ(values.viewerPath, "xdg-open");

  std::filesystem::remove(PathOf("Tarvine.ini"));
  Touch("Tarvine.ini", "v\n/pics/\n");
  FaultyFileServices files;
  files.failOpen = true;
  ScopedFileServices inForce(files);
  values = Loaded();
  EXPECT_STREQ(values.viewerPath, "xdg-open");
  EXPECT_STREQ(values.lastDirectory, "/home/someone/");

  ASSERT_EQ(window.Messages().size(), 2u);
  for (const auto& message : window.Messages()) {
    EXPECT_EQ(message.text, "Could not open Tarvine.ini file.");
    EXPECT_EQ(message.caption, "Error");
    EXPECT_EQ(message.style, kMessageStop);
  }
}

TEST_F(SettingsTest, EveryStorableValueReadsBackUnchanged) {
  for (const auto& [viewer, directory] : std::vector<std::pair<std::string, std::string>>{
           {std::string(200, 'v'), std::string(300, 'd')}, {"", "/"}, {" x ", "/a b/"}, {"/usr/bin/eog", "/pics/"}}) {
    ProgramValues values = Loaded();
    std::snprintf(values.viewerPath, sizeof values.viewerPath, "%s", viewer.c_str());
    std::snprintf(values.lastDirectory, sizeof values.lastDirectory, "%s", directory.c_str());
    SaveSettings(values, window);
    const ProgramValues read = Loaded();
    EXPECT_EQ(read.viewerPath, viewer);
    EXPECT_EQ(read.lastDirectory, directory);
  }
  EXPECT_EQ(Read("Tarvine.ini"), "/usr/bin/eog\n/pics/\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"Tarvine.ini"}) << "no temporary file is left";
  EXPECT_TRUE(window.Messages().empty());
}

TEST_F(SettingsTest, AFailedSaveLeavesTheOldFileWhole) {
  Touch("Tarvine.ini", "old\n/old/\n");
  ProgramValues values = Loaded();
  std::snprintf(values.viewerPath, sizeof values.viewerPath, "new");
  FaultyFileServices files;
  ScopedFileServices inForce(files);
  for (bool* fault : {&files.failOpen, &files.failReplace}) {
    *fault = true;
    SaveSettings(values, window);
    *fault = false;
    EXPECT_EQ(Read("Tarvine.ini"), "old\n/old/\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"Tarvine.ini"});
  }
  ASSERT_EQ(window.Messages().size(), 2u);
  EXPECT_EQ(window.Messages()[1].text, "Could not open Tarvine.ini file.");
  EXPECT_STREQ(values.viewerPath, "new") << "the choice stays in memory";
}

TEST(StorableSetting, RefusesWhatCouldNotBeReadBack) {
  EXPECT_TRUE(StorableSetting("/usr/bin/firefox", 200));
  EXPECT_TRUE(StorableSetting("", 200));
  EXPECT_TRUE(StorableSetting(std::string(200, 'v').c_str(), 200));
  EXPECT_FALSE(StorableSetting(std::string(201, 'v').c_str(), 200));
  EXPECT_FALSE(StorableSetting("a\nb", 200));
}

}  // namespace
