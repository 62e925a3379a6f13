#include "app/Settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>

#include "platform/os/ProgramLauncher.h"
#include "platform/os/UserDirectories.h"
#include "tests/support/HeadlessDialogWindow.h"
#include "tests/support/FaultyFileServices.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempDir.h"

namespace {


class SettingsTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    home_ = std::make_unique<ScopedEnvironment>("HOME", "/home/someone");
    configHome_ = std::make_unique<ScopedEnvironment>("XDG_CONFIG_HOME", PathOf("config"));
    appData_ = std::make_unique<ScopedEnvironment>("APPDATA", PathOf("config"));
    MakeDir("config");
    MakeDir("config/tarvine");
    kFile = UserSettingsFile().substr(Dir().size());
  }
  void TearDown() override {
    appData_.reset();
    configHome_.reset();
    home_.reset();
    TempDirTest::TearDown();
  }

  ProgramSettings Loaded() {
    ProgramSettings values;
    LoadSettings(values, window);
    return values;
  }

  // The entries of the settings directory, sorted.
  std::vector<std::string> SettingsEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(PathOf(kFile)).parent_path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  HeadlessDialogWindow window;
  std::unique_ptr<ScopedEnvironment> home_;
  std::unique_ptr<ScopedEnvironment> configHome_;
  std::unique_ptr<ScopedEnvironment> appData_;
  // The settings file in the test's configuration directory: in config/,
  // tarvine/Tarvine.ini (XDG_CONFIG_HOME), on Windows Tarvine\Tarvine.ini (APPDATA).
  std::string kFile;
};

TEST_F(SettingsTest, WithoutAFileTheDefaultsStandSilently) {
  const ProgramSettings values = Loaded();
  EXPECT_STREQ(values.viewerPath, kDefaultViewer);
  EXPECT_EQ(values.lastDirectory, DefaultBrowseDirectory());
  EXPECT_EQ(std::string(values.settingsPath), PathOf(kFile));
  EXPECT_TRUE(window.Messages().empty());
  EXPECT_TRUE(SettingsEntries().empty()) << "no file is made at start";
}

TEST_F(SettingsTest, ReadsEachLineWholeUpToItsValuesRoom) {
  const std::string home = DefaultBrowseDirectory();
  struct Case {
    std::string content;
    std::string viewer;
    std::string directory;
    NumberingOrder order = NumberingOrder::kName;
    int keepLog = 1;
    bool companions = true;
    bool allKinds = false;
  };
  const Case cases[] = {
      {"", kDefaultViewer, home},
      {"/usr/bin/firefox\n", "/usr/bin/firefox", home},
      {"\n/pics/\n", "", "/pics/"},
      {"v\n/pics/", "v", "/pics/"},
      {"  v  \n /pics/ \n", "  v  ", " /pics/ "},
      {"v\n/pics/\nignored\n", "v", "/pics/"},
      {"v\n/pics/\ntaken\n", "v", "/pics/", NumberingOrder::kTaken},
      {"v\n/pics/\nmodified", "v", "/pics/", NumberingOrder::kModified},
      {"v\n/pics/\nmodified\nignored\n", "v", "/pics/", NumberingOrder::kModified},
      {"v\n/pics/\ntaken\n0\n", "v", "/pics/", NumberingOrder::kTaken, 0},
      {"v\n/pics/\nname\n0\nlines of later versions\n0\n", "v", "/pics/", NumberingOrder::kName, 0},
      {"v\n/pics/\nname\n1\n", "v", "/pics/", NumberingOrder::kName, 1},
      {"v\n/pics/\nname\n00\n", "v", "/pics/", NumberingOrder::kName, 1},
      {"v\n/pics/\nTaken\n", "v", "/pics/"},
      {"v\n/pics/\ntaken and more\n", "v", "/pics/"},
      {std::string(250, 'v') + "\n/pics/\ntaken\n", std::string(200, 'v'), "/pics/", NumberingOrder::kTaken},
      {std::string(199, 'v') + "\n/pics/\n", std::string(199, 'v'), "/pics/"},
      {std::string(200, 'v') + "\n/pics/\n", std::string(200, 'v'), "/pics/"},
      {std::string(250, 'v') + "\n/pics/\n", std::string(200, 'v'), "/pics/"},
      {"v\n" + std::string(300, 'd') + "\n", "v", std::string(300, 'd')},
      {"v\n" + std::string(350, 'd') + "\n", "v", std::string(300, 'd')},
      {"v\n/pics/\nname\n1\n0\n1\n", "v", "/pics/", NumberingOrder::kName, 1, false, true},
      {"v\n/pics/\nname\n0\n1\n0\n+0100 camera\n", "v", "/pics/", NumberingOrder::kName, 0, true, false},
      {"v\n/pics/\nname\n1\nno\n11\n", "v", "/pics/", NumberingOrder::kName, 1, true, false},
      {"v\n/pics/\nname\n1\n0", "v", "/pics/", NumberingOrder::kName, 1, false, false},
  };
  for (const Case& c : cases) {
    Touch(kFile, c.content);
    const ProgramSettings values = Loaded();
    EXPECT_EQ(values.viewerPath, c.viewer) << c.content;
    EXPECT_EQ(values.keepLog, c.keepLog) << c.content;
    EXPECT_EQ(values.lastDirectory, c.directory) << c.content;
    EXPECT_EQ(values.order, c.order) << c.content;
    EXPECT_EQ(values.companions, c.companions) << c.content;
    EXPECT_EQ(values.allKinds, c.allKinds) << c.content;
  }
  EXPECT_TRUE(window.Messages().empty());
}

TEST_F(SettingsTest, AFileThatCannotBeReadLeavesTheDefaultsWithAMessage) {
  MakeDir(kFile);
  ProgramSettings values = Loaded();
  EXPECT_STREQ(values.viewerPath, kDefaultViewer);

  std::filesystem::remove(PathOf(kFile));
  Touch(kFile, "v\n/pics/\n");
  FaultyFileServices files;
  files.failOpen = true;
  ScopedFileServices inForce(files);
  values = Loaded();
  EXPECT_STREQ(values.viewerPath, kDefaultViewer);
  EXPECT_EQ(values.lastDirectory, DefaultBrowseDirectory());

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
    ProgramSettings values = Loaded();
    values.order = viewer.empty() ? NumberingOrder::kTaken : NumberingOrder::kModified;
    values.keepLog = viewer.empty() ? 0 : 1;
    std::snprintf(values.viewerPath, sizeof values.viewerPath, "%s", viewer.c_str());
    std::snprintf(values.lastDirectory, sizeof values.lastDirectory, "%s", directory.c_str());
    SaveSettings(values, window);
    const ProgramSettings read = Loaded();
    EXPECT_EQ(read.viewerPath, viewer);
    EXPECT_EQ(read.lastDirectory, directory);
    EXPECT_EQ(read.order, values.order);
    EXPECT_EQ(read.keepLog, values.keepLog);
  }
  EXPECT_EQ(Read(kFile), "/usr/bin/eog\n/pics/\nmodified\n1\n1\n0\n");
  EXPECT_EQ(SettingsEntries(), std::vector<std::string>{"Tarvine.ini"}) << "no temporary file is left";
  EXPECT_TRUE(window.Messages().empty());
}

TEST_F(SettingsTest, CameraClockOffsetsAreTheLinesFromTheSeventhOnAndUnreadableOnesAreDropped) {
  Touch(kFile, "v\n/pics/\ntaken\n0\n0\n1\nCanon EOS R5\t+1h02m\nno tab\n\t+1h\nX\t1 h\nNIKON Z 6\t-30s\n");
  ProgramSettings values = Loaded();
  ASSERT_EQ(values.clockShifts.size(), 2u);
  EXPECT_EQ(values.clockShifts[0].model, "Canon EOS R5");
  EXPECT_EQ(values.clockShifts[0].seconds, 3720);
  EXPECT_EQ(values.clockShifts[1].model, "NIKON Z 6");
  EXPECT_EQ(values.clockShifts[1].seconds, -30);
  values.clockShifts.push_back({"a\tb", 60});  // a model no line can hold is not stored
  SaveSettings(values, window);
  EXPECT_EQ(Read(kFile), "v\n/pics/\ntaken\n0\n0\n1\nCanon EOS R5\t+1h02m\nNIKON Z 6\t-30s\n");
  Touch(kFile, "v\n/pics/\ntaken\n");
  EXPECT_TRUE(Loaded().clockShifts.empty()) << "an older file has none";
}

TEST_F(SettingsTest, AFailedSaveLeavesTheOldFileWhole) {
  Touch(kFile, "old\n/old/\n");
  ProgramSettings values = Loaded();
  std::snprintf(values.viewerPath, sizeof values.viewerPath, "new");
  FaultyFileServices files;
  ScopedFileServices inForce(files);
  for (bool* fault : {&files.failOpen, &files.failReplace}) {
    *fault = true;
    SaveSettings(values, window);
    *fault = false;
    EXPECT_EQ(Read(kFile), "old\n/old/\n");
    EXPECT_EQ(SettingsEntries(), std::vector<std::string>{"Tarvine.ini"});
  }
  ASSERT_EQ(window.Messages().size(), 2u);
  EXPECT_EQ(window.Messages()[1].text, "Could not open Tarvine.ini file.");
  EXPECT_STREQ(values.viewerPath, "new") << "the choice stays in memory";
}

TEST_F(SettingsTest, ASaveMakesTheMissingDirectoriesForTheUserAlone) {
  if (!SystemSettingsDirectory().empty()) GTEST_SKIP() << "the system names the settings folder (tested below)";
  const ScopedEnvironment noConfigHome("XDG_CONFIG_HOME", nullptr);
  const ScopedEnvironment home("HOME", PathOf("home"));
  MakeDir("home");
  ProgramSettings values = Loaded();
  std::snprintf(values.viewerPath, sizeof values.viewerPath, "/usr/bin/eog");
  SaveSettings(values, window);
  EXPECT_EQ(Read("home/.config/tarvine/Tarvine.ini"), "/usr/bin/eog\n" + PathOf("home") + "/\nname\n1\n1\n0\n");
  for (const char* made : {"home/.config", "home/.config/tarvine"}) {
    struct stat status {};
    ASSERT_EQ(stat(PathOf(made).c_str(), &status), 0) << made;
    EXPECT_EQ(status.st_mode & 07777, 0700u) << made;
  }
  EXPECT_TRUE(window.Messages().empty());
}

TEST_F(SettingsTest, ASaveMakesTarvineInTheSystemsSettingsFolder) {
  const ScopedEnvironment appData("APPDATA", PathOf("roaming"));
  if (SystemSettingsDirectory().empty()) GTEST_SKIP() << "the environment's rule names the folder (tested above)";
  ProgramSettings values = Loaded();
  EXPECT_EQ(std::string(values.settingsPath), PathOf("roaming\\Tarvine\\Tarvine.ini"));
  std::snprintf(values.viewerPath, sizeof values.viewerPath, "C:\\Viewer\\viewer.exe");
  SaveSettings(values, window);
  EXPECT_EQ(Read("roaming/Tarvine/Tarvine.ini"), "C:\\Viewer\\viewer.exe\n" + DefaultBrowseDirectory() + "\nname\n1\n1\n0\n");
  EXPECT_TRUE(window.Messages().empty());
}

// The account's home directory as the password database gives it; null:
// the database must not be asked.
const char* accountHome = nullptr;
std::string AccountHome() {
  if (!accountHome) ADD_FAILURE() << "the password database was asked";
  return accountHome ? accountHome : "";
}

TEST(SettingsFilePath, IsInTheConfigurationDirectoryElseInTheHomeDirectorysNeverRelative) {
  struct Case {
    const char* configHome;
    const char* home;
    const char* account;
    std::string path;
  };
  const Case cases[] = {
      {"/cfg", "/home/me", nullptr, "/cfg/tarvine/Tarvine.ini"},
      {"/cfg/", nullptr, nullptr, "/cfg/tarvine/Tarvine.ini"},
      {"cfg", "/home/me", nullptr, "/home/me/.config/tarvine/Tarvine.ini"},
      {"", "/home/me/", nullptr, "/home/me/.config/tarvine/Tarvine.ini"},
      {nullptr, "/", nullptr, "/.config/tarvine/Tarvine.ini"},
      {nullptr, "", "/home/acct", "/home/acct/.config/tarvine/Tarvine.ini"},
      {nullptr, nullptr, "/home/acct", "/home/acct/.config/tarvine/Tarvine.ini"},
      {".", ".", "/home/acct", "/home/acct/.config/tarvine/Tarvine.ini"},
      {nullptr, nullptr, "", ""},
      {nullptr, "home", "acct", ""},
  };
  for (const Case& c : cases) {
    accountHome = c.account;
    EXPECT_EQ(SettingsFilePath(c.configHome, c.home, AccountHome), c.path)
        << (c.configHome ? c.configHome : "(unset)") << ", " << (c.home ? c.home : "(unset)");
  }
}

TEST(StorableSetting, RefusesWhatCouldNotBeReadBack) {
  EXPECT_TRUE(StorableSetting("/usr/bin/firefox", 200));
  EXPECT_TRUE(StorableSetting("", 200));
  EXPECT_TRUE(StorableSetting(std::string(200, 'v').c_str(), 200));
  EXPECT_FALSE(StorableSetting(std::string(201, 'v').c_str(), 200));
  EXPECT_FALSE(StorableSetting("a\nb", 200));
}

}  // namespace
