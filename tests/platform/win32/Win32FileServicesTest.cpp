// The Win32 file services where Windows differs from POSIX: names match in
// any case of letters and by their short (8.3) names, "same file" is the
// volume serial number and file index, paths may pass 260 characters, and
// the run lock holds across processes.

#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

#include "platform/os/FileServices.h"
#include "platform/os/win32/WideText.h"
#include "tests/support/FileLinks.h"
#include "tests/support/TempDir.h"

namespace {

class Win32FileServicesTest : public TempDirTest {
 protected:
  FileServices& files = SystemFileServices();
};

TEST_F(Win32FileServicesTest, ANameTakenInAnySpellingIsNeverRenamedOnto) {
  Touch("a.jpg", "A");
  Touch("001.JPG", "one");
  Touch("LongerThanEight.jpg", "long");
  std::unique_ptr<RunDirectory> directory;
  ASSERT_EQ(files.OpenRunDirectory(Dir().c_str(), directory), 0);
  struct Case {
    const char* from;
    const char* to;
    int error;
  };
  const Case cases[] = {
      {"a.jpg", "001.jpg", EEXIST},   // another file, in another case
      {"001.JPG", "001.jpg", EEXIST},  // the file's own name, in another case
      {"a.jpg", "a.jpg", EEXIST},      // its own name
      {"missing.jpg", "x.jpg", ENOENT},
      {"a.jpg", "sub\\x.jpg", EINVAL},  // not a bare name
      {"a.jpg", "x.jpg:stream", EINVAL},
  };
  for (const Case& c : cases) EXPECT_EQ(directory->Rename(c.from, c.to), c.error) << c.from << " -> " << c.to;
  // A short name of another file is taken too, where the volume makes them.
  wchar_t shortName[MAX_PATH];
  if (GetShortPathNameW(Widen(PathOf("LongerThanEight.jpg")).c_str(), shortName, MAX_PATH) > 0) {
    const std::string shortPath = Narrow(shortName);
    const std::string alias = shortPath.substr(shortPath.find_last_of('\\') + 1);
    if (alias != "LongerThanEight.jpg") {
      EXPECT_EQ(directory->Rename("a.jpg", alias.c_str()), EEXIST) << alias;
    }
  }
  EXPECT_EQ(directory->Rename("a.jpg", "002.jpg"), 0);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"001.JPG", "002.jpg", "LongerThanEight.jpg"}));
  EXPECT_EQ(Read("001.JPG"), "one");
}

TEST_F(Win32FileServicesTest, TheSearchMatchesTheExtensionInAnyCaseButNeverAShortName) {
  TouchAll({"x.jpgx", "b.JPG", "a.jpg", "c.Jpg", "IMG_10.jpg", "IMG_9.jpg", "caf\xc3\xa9.jpg"});
  std::vector<std::string> names;
  for (const DirEntry& entry : files.Search((Dir() + "*.jpg").c_str(), EntryDetail::kFullRecords)) {
    names.push_back(entry.name);
    EXPECT_GT(entry.lastWriteTime, 0) << entry.name;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"a.jpg", "b.JPG", "c.Jpg", "caf\xc3\xa9.jpg", "IMG_9.jpg", "IMG_10.jpg"}));
}

TEST_F(Win32FileServicesTest, SameFileIsTheFileIndexNotTheName) {
  Touch("a.jpg");
  Touch("b.jpg");
  ASSERT_TRUE(MakeHardLink(PathOf("a.jpg"), PathOf("second.jpg")));
  EXPECT_EQ(files.SameFile(PathOf("a.jpg").c_str(), PathOf("second.jpg").c_str()), 1);
  EXPECT_EQ(files.SameFile(PathOf("a.jpg").c_str(), PathOf("A.JPG").c_str()), 1);
  EXPECT_EQ(files.SameFile(PathOf("a.jpg").c_str(), PathOf("b.jpg").c_str()), 0);
  EXPECT_EQ(files.SameFile(PathOf("a.jpg").c_str(), PathOf("missing.jpg").c_str()), 0);
  // A file with a second name is never opened as one of the program's own.
  errno = 0;
  EXPECT_EQ(files.OpenOwnFile(PathOf("second.jpg").c_str(), "a"), nullptr);
  EXPECT_EQ(errno, EMLINK);
}

TEST_F(Win32FileServicesTest, PathsPassTheOldLimitOf260Characters) {
  std::string directory = Dir();
  for (int level = 0; level < 4; ++level) {
    directory += std::string(80, static_cast<char>('a' + level)) + "\\";
    ASSERT_EQ(files.MakePrivateDirectories(directory), 0) << directory.size();
  }
  const std::string from = directory + "a.jpg", to = directory + "001.jpg";
  FILE* file = files.OpenOwnFile(from.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("deep", file);
  std::fclose(file);
  EXPECT_EQ(files.Exists(from.c_str()), 1);
  EXPECT_EQ(files.Rename(from.c_str(), to.c_str()), 0);
  EXPECT_EQ(files.Search((directory + "*.jpg").c_str(), EntryDetail::kNamesOnly).size(), 1u);
  EXPECT_EQ(files.ReplaceFileContents(to.c_str(), "deeper"), 0);
  EXPECT_EQ(files.Remove(to.c_str()), 0);
}

TEST_F(Win32FileServicesTest, OneRunAtATimeHoldsADirectoryHoweverItsPathIsWritten) {
  std::unique_ptr<RunDirectory> first, second;
  ASSERT_EQ(files.OpenRunDirectory(Dir().c_str(), first), 0);
  std::string otherSpelling = root_.string() + "/";
  for (char& c : otherSpelling) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(files.OpenRunDirectory(otherSpelling.c_str(), second), EWOULDBLOCK);
  first.reset();
  EXPECT_EQ(files.OpenRunDirectory(otherSpelling.c_str(), second), 0);
  EXPECT_EQ(files.OpenRunDirectory((Dir() + "missing\\").c_str(), first), ENOENT);
}

}  // namespace
