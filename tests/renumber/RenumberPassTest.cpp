#include <gtest/gtest.h>

#include <functional>
#include <iostream>

#include "tests/support/HeadlessDialogWindow.h"
#include "renumber/ControlIds.h"
#include "renumber/RenumberDialog.h"
#include "tests/support/FaultyFileServices.h"
#include "tests/support/FileLinks.h"
#include "tests/support/TempDir.h"
#include "tests/support/WorkingDirectory.h"

namespace {

using Names = std::vector<std::string>;

class RenumberPassTest : public TempDirTest {
 protected:
  // A pass on the named file of the temporary directory.
  int Pass(const std::string& file, const std::string& digits, PassKind kind = PassKind::kFirst) {
    dialog.options.pathText = PathOf(file);
    dialog.options.digitsText = digits;
    return dialog.RenumberFiles(kind);
  }

  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : window.Messages()) {
      EXPECT_EQ(message.caption, "Error");
      EXPECT_EQ(message.style, kMessageStop);
      texts.push_back(message.text);
    }
    return texts;
  }

  std::string LogLine(const std::string& from, const std::string& to) const {
    return PathOf(from) + "\t\t-> " + PathOf(to) + "\n";
  }

  HeadlessDialogWindow window;
  RenumberDialog dialog{window};
  std::string victim;  // a file beside the temporary directory, outside it
  FaultyFileServices files;
  ScopedFileServices filesInForce{files};
};

TEST_F(RenumberPassTest, RenamesInListingOrderSkippingTakenNumbers) {
  TouchAll({"a.jpg", "b.jpg", "002.jpg"});
  files.listingOrder = {"b.jpg", "002.jpg", "a.jpg"};
  EXPECT_EQ(Pass("a.jpg", "3"), 1);
  EXPECT_EQ(Entries(), (Names{"001.jpg", "003.jpg", "004.jpg"}));
  EXPECT_EQ(Read("001.jpg"), "content of b.jpg");
  EXPECT_EQ(Read("003.jpg"), "content of 002.jpg");
  EXPECT_EQ(Read("004.jpg"), "content of a.jpg");
  EXPECT_EQ(dialog.results.renamedCount, 3);
  EXPECT_STREQ(dialog.results.currentExtension, "jpg");
  EXPECT_FALSE(dialog.LastPassFailed());
  EXPECT_TRUE(window.Messages().empty());
  // The count line shows the files renamed before each entry, then the total.
  EXPECT_EQ(window.TextHistory(kCountLine), (Names{"   0", "   1", "   2", "   3 files."}));
  EXPECT_EQ(window.PumpCount(), 1 + 2 * 3 + 1);
}

TEST_F(RenumberPassTest, ANumberedDirectoryMovesUpAndLeavesNumberOneFree) {
  TouchAll({"001.jpg", "002.jpg", "003.jpg"});
  EXPECT_EQ(Pass("001.jpg", "3"), 1);
  EXPECT_EQ(Entries(), (Names{"004.jpg", "005.jpg", "006.jpg"}));
  EXPECT_EQ(Read("004.jpg"), "content of 001.jpg");
  EXPECT_EQ(Read("006.jpg"), "content of 003.jpg");
}

TEST_F(RenumberPassTest, PadsToTheDigitsWidth) {
  struct Case {
    const char* digits;
    Names expected;
    const char* digitsAfter;
  };
  const Case cases[] = {
      {"5", {"00001.jpg", "00002.jpg", "00003.jpg"}, "5"},
      {"0", {"1.jpg", "2.jpg", "3.jpg"}, "0"},
      {"", {"1.jpg", "2.jpg", "3.jpg"}, "0"},
      {"1", {"1.jpg", "2.jpg", "3.jpg"}, "1"},
      {"-3", {"1  .jpg", "2  .jpg", "3  .jpg"}, "-3"},
      {"2x", {"01.jpg", "02.jpg", "03.jpg"}, "2x"},
      {"x", {"1.jpg", "2.jpg", "3.jpg"}, "x"},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    TouchAll({"a.jpg", "b.jpg", "c.jpg"});
    EXPECT_EQ(Pass("a.jpg", c.digits), 1);
    EXPECT_EQ(Entries(), c.expected) << "digits '" << c.digits << "'";
    EXPECT_EQ(dialog.options.digitsText, c.digitsAfter);
  }
}

TEST_F(RenumberPassTest, PutsPrefixAndSuffixAroundTheNumber) {
  // .jpg and .JPG are one kind; the new names take the named file's spelling.
  TouchAll({"x.JPG", "y.JPG", "other.jpg"});
  dialog.options.prefixText = "trip ";
  dialog.options.suffixText = "-b";
  EXPECT_EQ(Pass("x.JPG", "3"), 1);
  EXPECT_EQ(Entries(), (Names{"trip 001-b.JPG", "trip 002-b.JPG", "trip 003-b.JPG"}));
  EXPECT_EQ(Read("trip 001-b.JPG"), "content of other.jpg");
  EXPECT_STREQ(dialog.results.currentExtension, "JPG");
}

TEST_F(RenumberPassTest, TheExtensionIsLiteralTextInAnyCase) {
  struct Case {
    Names files;
    const char* named;
    Names expected;
  };
  const Case cases[] = {
      // "*" and "?" in an extension are no wildcards: other kinds keep theirs.
      {{"x.*g", "a.jpg", "b.png"}, "x.*g", {"01.*g", "a.jpg", "b.png"}},
      {{"x.?", "a.b", "c.?"}, "x.?", {"01.?", "02.?", "a.b"}},
      {{"x.*", "a.jpg"}, "x.*", {"01.*", "a.jpg"}},
      // Cameras write .JPG, phones .jpg: one kind, spelt as the named file.
      {{"a.JPG", "b.jpg", "c.Jpg", "d.jpeg"}, "b.jpg", {"01.jpg", "02.jpg", "03.jpg", "d.jpeg"}},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    TouchAll(c.files);
    if (!std::filesystem::exists(PathOf(c.named))) continue;  // Windows allows no "*" or "?" in a name
    EXPECT_EQ(Pass(c.named, "2"), 1) << c.named;
    EXPECT_EQ(Entries(), c.expected) << c.named;
  }
}

TEST_F(RenumberPassTest, RenamesEveryMatchingEntryDirectoriesAndLinksIncluded) {
  Touch("a.jpg");
  MakeDir("x.jpg");
  if (!MakeSymbolicLink("a.jpg", PathOf("z.jpg"))) GTEST_SKIP() << kNoSymbolicLinks;
  EXPECT_EQ(Pass("a.jpg", "1"), 1);
  EXPECT_EQ(Entries(), (Names{"1.jpg", "2.jpg", "3.jpg"}));
  EXPECT_TRUE(std::filesystem::is_directory(PathOf("2.jpg")));
  EXPECT_TRUE(std::filesystem::is_symlink(PathOf("3.jpg")));
}

TEST_F(RenumberPassTest, ATakenNameBlocksItsNumberEvenAsADanglingLink) {
  Touch("001.jpg");
  if (!MakeSymbolicLink("nowhere", PathOf("002.jpg"))) GTEST_SKIP() << kNoSymbolicLinks;
  files.listingOrder = {"001.jpg"};
  EXPECT_EQ(Pass("001.jpg", "3"), 1);
  EXPECT_EQ(Entries(), (Names{"002.jpg", "003.jpg"}));
  EXPECT_TRUE(std::filesystem::is_symlink(PathOf("002.jpg")));
}

TEST_F(RenumberPassTest, TheExtensionComesFromTheFileNamesLastDot) {
  MakeDir("my.pics");
  TouchAll({"my.pics/holiday.2001.jpg", "my.pics/b.jpg", "my.pics/c.2001"});
  EXPECT_EQ(Pass("my.pics/holiday.2001.jpg", "2"), 1);
  EXPECT_STREQ(dialog.results.currentExtension, "jpg");
  EXPECT_EQ(dialog.results.renamedCount, 2);
  EXPECT_EQ(std::filesystem::exists(PathOf("my.pics/c.2001")), true);
}

TEST_F(RenumberPassTest, WorksInTheCurrentDirectoryForABareName) {
  TouchAll({"a.jpg", "b.jpg"});
  dialog.options.pathText = "a.jpg";
  dialog.options.digitsText = "2";
  dialog.options.keepLog = 1;
  int result;
  {
    const ScopedWorkingDirectory inRoot(root_.string());
    result = dialog.RenumberFiles();
  }
  EXPECT_EQ(result, 1);
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "renum.ids", "renum.log"}));
  EXPECT_EQ(Read("renum.log"), "a.jpg\t\t-> 01.jpg\nb.jpg\t\t-> 02.jpg\n");
}

TEST_F(RenumberPassTest, StopsBeforeRenamingWithAMessage) {
  struct Case {
    std::string path;
    std::string prefix;
    std::string suffix;
    std::string digits;
    std::string message;
  };
  const std::string tooLongPath = PathOf(std::string(300, 'p') + ".jpg");
  const Case cases[] = {
      {"", "", "", "3", "Please specify a path and the first file name to rename."},
      {"a", "", "", "3", "File name must have an extension."},
      {"a.", "", "", "3", "File name must have an extension."},
      {"my.pics/a", "", "", "3", "File name must have an extension."},
      {"a.jpeg2000", "", "", "3", "The extension is too long: at most 7 bytes."},
      {"a.png", "", "", "3", "Could not find at least one file."},
      {"a.jpg", std::string(200, 'p'), "", "3", "The prefix is too long: at most 199 bytes."},
      {"a.jpg", "", std::string(200, 's'), "3", "The suffix is too long: at most 199 bytes."},
      {"a.jpg", std::string(199, 'p'), std::string(199, 's'), "3",
       "The new file names would be too long: at most 255 bytes."},
      {"a.jpg", "", "", "9999999", "The new file names would be too long: at most 255 bytes."},
      {"a.jpg", "", "", "-400", "The new file names would be too long: at most 255 bytes."},
      {"a.jpg", "", "", "290", "The new file names would be too long: at most 255 bytes."},
      {"a.jpg", "../up/", "", "3", "The prefix may not contain /."},
      {"a.jpg", "/", "", "3", "The prefix may not contain /."},
      {"a.jpg", "", "-b/", "3", "The suffix may not contain /."},
      {"a.jpg", "a\nb", "", "3", "The prefix may not contain a line break."},
      {"a.jpg", "", std::string("a\0b", 3), "3", "The suffix may not contain a NUL byte."},
  };
  TouchAll({"a.jpg", "b.jpg"});
  for (const Case& c : cases) {
    HeadlessDialogWindow caseWindow;
    RenumberDialog caseDialog{caseWindow};
    caseDialog.results.renamedCount = 99;
    caseDialog.options.pathText = c.path.empty() ? "" : PathOf(c.path);
    caseDialog.options.prefixText = c.prefix;
    caseDialog.options.suffixText = c.suffix;
    caseDialog.options.digitsText = c.digits;
    caseDialog.options.keepLog = 1;
    EXPECT_EQ(caseDialog.RenumberFiles(), 0) << c.message;
    ASSERT_EQ(caseWindow.Messages().size(), 1u) << c.message;
    EXPECT_EQ(caseWindow.MessageSentences()[0], c.message);
    EXPECT_EQ(caseDialog.results.renamedCount, 99) << c.message;
    EXPECT_EQ(Entries(), (Names{"a.jpg", "b.jpg"})) << c.message << ": nothing renamed, no log";
  }
  dialog.options.pathText = tooLongPath;
  EXPECT_EQ(dialog.RenumberFiles(), 0);
  EXPECT_EQ(MessageTexts(), Names{"The path is too long: at most 303 bytes."});
}

TEST_F(RenumberPassTest, AnEmptyListStillSetsTheExtension) {
  Touch("a.png");
  dialog.results.renamedCount = 7;
  EXPECT_EQ(Pass("a.gif", "3"), 0);
  EXPECT_STREQ(dialog.results.currentExtension, "gif");
  EXPECT_EQ(dialog.results.renamedCount, 7);
  EXPECT_EQ(window.MessageSentences(), Names{"Could not find at least one file."});
}

TEST_F(RenumberPassTest, ALongNameInADeepDirectoryIsRenamed) {
  // Entries are renamed by their bare names: the directory's length takes
  // no room from them.
  const std::string deep = std::string(200, 'd');
  const std::string longName = std::string(250, 'n') + ".jpg";
  MakeDir(deep);
  TouchAll({deep + "/a.jpg", deep + "/" + longName});
  EXPECT_EQ(Pass(deep + "/a.jpg", "3"), 1);
  EXPECT_EQ(MessageTexts(), Names{});
  EXPECT_TRUE(std::filesystem::exists(PathOf(deep + "/002.jpg")));
}

TEST_F(RenumberPassTest, KeepsALogOfEveryRenameWithItsDirectory) {
  TouchAll({"a.jpg", "b.jpg"});
  dialog.options.keepLog = 1;
  EXPECT_EQ(Pass("a.jpg", "3"), 1);
  EXPECT_EQ(Read("renum.log"), LogLine("a.jpg", "001.jpg") + LogLine("b.jpg", "002.jpg"));
}

TEST_F(RenumberPassTest, ASecondPassAddsToTheLogOfTheFirst) {
  TouchAll({"01.jpg", "x.jpg"});
  Touch("renum.log", "from an earlier run\n");
  dialog.options.keepLog = 1;
  EXPECT_EQ(Pass("x.jpg", "2"), 1);
  EXPECT_EQ(Pass("x.jpg", "2", PassKind::kSecond), 1);
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "renum.ids", "renum.log"}));
  EXPECT_EQ(Read("renum.log"), LogLine("01.jpg", "02.jpg") + LogLine("x.jpg", "03.jpg") +
                                   LogLine("02.jpg", "01.jpg") + LogLine("03.jpg", "02.jpg"));
}

TEST_F(RenumberPassTest, WithoutALogAnOldLogIsLeftAlone) {
  TouchAll({"a.jpg"});
  Touch("renum.log", "keep me");
  EXPECT_EQ(Pass("a.jpg", "3"), 1);
  EXPECT_EQ(Read("renum.log"), "keep me");
}

TEST_F(RenumberPassTest, TheLogBeingWrittenIsNeverRenumbered) {
  TouchAll({"a.log", "b.log"});
  Touch("renum.log", "old");
  dialog.options.keepLog = 1;
  EXPECT_EQ(Pass("a.log", "1"), 1);
  EXPECT_EQ(Entries(), (Names{"1.log", "2.log", "renum.ids", "renum.log"}));
  EXPECT_EQ(Read("renum.log"), LogLine("a.log", "1.log") + LogLine("b.log", "2.log"));

  // Without a log of its own, renum.log is an entry like any other.
  dialog.options.keepLog = 0;
  EXPECT_EQ(Pass("1.log", "1"), 1);
  EXPECT_EQ(Entries(), (Names{"3.log", "4.log", "5.log", "renum.ids"}));
}

TEST_F(RenumberPassTest, TheLogIsNeverWrittenThroughALinkOrIntoAnotherFile) {
  struct Case {
    const char* what;
    std::function<bool()> plant;  // false: no such thing can be made here
    const char* reason;
  };
  const Case cases[] = {
      {"a symbolic link", [&] { return MakeSymbolicLink("../victim.txt", PathOf("renum.log")); },
       "it is a symbolic link"},
      {"a second name", [&] { return MakeHardLink((root_.parent_path() / victim).string(), PathOf("renum.log")); },
       "it is a second name of another file"},
      {"a pipe", [&] { return MakePipeEntry(PathOf("renum.log")); }, "it is not a regular file"},
      {"a directory", [&] { MakeDir("renum.log"); return true; }, "Is a directory"},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    victim = root_.filename().string() + "-victim.txt";
    std::ofstream(root_.parent_path() / victim) << "keep";
    TouchAll({"a.jpg", "b.jpg"});
    if (!c.plant()) {
      std::cout << "not on this system: " << c.what << "\n";
      continue;
    }
    HeadlessDialogWindow caseWindow;
    RenumberDialog caseDialog{caseWindow};
    caseDialog.options.pathText = PathOf("a.jpg");
    caseDialog.options.keepLog = 1;
    EXPECT_EQ(caseDialog.RenumberFiles(), 0) << c.what;
    EXPECT_EQ(caseWindow.MessageSentences(), Names{"Could not write to renum.log file"}) << c.what;
    EXPECT_NE(caseWindow.MessageTexts()[0].find(c.reason), std::string::npos) << caseWindow.MessageTexts()[0];
    EXPECT_TRUE(std::filesystem::exists(PathOf("a.jpg"))) << c.what << ": nothing renamed";
    {
      std::ifstream kept(root_.parent_path() / victim);
      EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep") << c.what;
    }
    std::filesystem::remove(root_.parent_path() / victim);
  }
}

TEST_F(RenumberPassTest, ANameALogLineCannotHoldIsRefusedBeforeRenaming) {
  TouchAll({"a.jpg", "new\nline.jpg", "arrow\t\t-> x.jpg"});
  if (Entries().size() != 3) GTEST_SKIP() << "this system allows no line break, tab or \">\" in a name";
  dialog.options.keepLog = 1;
  EXPECT_EQ(Pass("a.jpg", "2"), 0);
  EXPECT_EQ(window.MessageSentences(), Names{"Could not write to renum.log file"});
  EXPECT_NE(window.MessageTexts()[0].find("\"arrow\t\t-> x.jpg\""), std::string::npos) << "names the file";
  EXPECT_EQ(Entries(), (Names{"a.jpg", "arrow\t\t-> x.jpg", "new\nline.jpg"}));

  dialog.options.keepLog = 0;  // without a log, such names are renamed like any other
  EXPECT_EQ(Pass("a.jpg", "2"), 1);
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "03.jpg"}));
}

TEST_F(RenumberPassTest, ALogThatCannotBeOpenedStopsThePassBeforeRenaming) {
  TouchAll({"a.jpg", "b.jpg"});
  files.failOpen = true;
  dialog.options.keepLog = 1;
  dialog.results.renamedCount = 5;
  EXPECT_EQ(Pass("a.jpg", "3"), 0);
  EXPECT_EQ(window.MessageSentences(), Names{"Could not write to renum.log file"});
  EXPECT_EQ(Entries(), (Names{"a.jpg", "b.jpg"}));
  EXPECT_EQ(dialog.results.renamedCount, 5);
}

TEST_F(RenumberPassTest, AFailedRenameStopsThePassAndLeavesEarlierRenames) {
  for (int failAt = 1; failAt <= 3; ++failAt) {
    TearDown();
    SetUp();
    TouchAll({"a.jpg", "b.jpg", "c.jpg"});
    HeadlessDialogWindow caseWindow;
    RenumberDialog caseDialog{caseWindow};
    FaultyFileServices faulty;
    faulty.failRenameAt = failAt;
    ScopedFileServices inForce(faulty);
    caseDialog.options.pathText = PathOf("a.jpg");
    caseDialog.options.digitsText = "3";
    caseDialog.options.keepLog = 1;

    EXPECT_EQ(caseDialog.RenumberFiles(), 1);
    EXPECT_TRUE(caseDialog.LastPassFailed());
    ASSERT_EQ(caseWindow.Messages().size(), 1u);
    EXPECT_EQ(caseWindow.MessageSentences()[0], "Could not rename at least one file.");
    EXPECT_EQ(caseDialog.results.renamedCount, failAt - 1);
    EXPECT_EQ(caseWindow.ItemText(kCountLine), "   " + std::to_string(failAt - 1) + " files.");

    const Names original = {"a.jpg", "b.jpg", "c.jpg"};
    Names expected = {"renum.ids", "renum.log"};
    std::string log;
    for (int i = 0; i < 3; ++i) {
      if (i < failAt - 1) {
        const std::string renamed = "00" + std::to_string(i + 1) + ".jpg";
        expected.push_back(renamed);
        log += LogLine(original[i], renamed);
      } else {
        expected.push_back(original[i]);
      }
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Entries(), expected) << "failing at rename " << failAt;
    EXPECT_EQ(Read("renum.log"), log);
  }
}

}  // namespace
