#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>

#include "tests/support/HeadlessDialogWindow.h"
#include "renumber/ControlIds.h"
#include "renumber/NameRules.h"
#include "renumber/RenumberDialog.h"
#include "tests/support/FaultyFileServices.h"
#include "tests/support/RecordingLauncher.h"
#include "tests/support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

const char kLongSuccess[] =
    "Directory renumbered.  To use the viewer, you must customize the folder now.  Go into explorer, click on the "
    "directory that has been renumbered, then click on 'View', then 'Customize this folder'.  Follow the defaults "
    "and close the folder.htt file when it appears.";

// A "Go For It!" run as a user starts it: the dialog's fields shown in its
// controls, some of them changed, then the button.
class RunRenumberTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    dialog.UpdateData(0);
    dialog.viewerPath = "my-viewer";
  }

  RunOutcome Run(const std::string& file, const char* digits, int applyViewer = 0, int viewAfterRun = 0) {
    window.SetDlgItemText(kPathField, file.empty() ? "" : PathOf(file).c_str());
    window.SetDlgItemText(kDigitsField, digits);
    window.CheckDlgButton(kApplyViewerBox, applyViewer);
    window.CheckDlgButton(kViewAfterRunBox, viewAfterRun);
    return dialog.RunRenumber();
  }

  void ExpectSucceeded(RunOutcome outcome) {
    EXPECT_EQ(outcome, RunOutcome::kSucceeded);
    EXPECT_EQ(window.ItemText(kStatusLine), "Done.");
    EXPECT_EQ(window.ItemText(kPathField), "");
  }

  void ExpectFailed(RunOutcome outcome, const std::string& file) {
    EXPECT_EQ(outcome, RunOutcome::kFailed);
    EXPECT_EQ(window.ItemText(kStatusLine), "Error.");
    EXPECT_EQ(window.ItemText(kPathField), file.empty() ? "" : PathOf(file));
  }

  HeadlessDialogWindow window;
  RecordingLauncher launcher;
  RenumberDialog dialog{window, launcher};
  FaultyFileServices files;
  ScopedFileServices filesInForce{files};
};

TEST_F(RunRenumberTest, AnEmptyOrMissingPathEndsBeforeAnyPass) {
  for (const std::string file : {"", "missing.jpg"}) {
    HeadlessDialogWindow fresh;
    RenumberDialog freshDialog{fresh, launcher};
    freshDialog.UpdateData(0);
    fresh.SetDlgItemText(kPathField, file.empty() ? "" : PathOf(file).c_str());
    EXPECT_EQ(freshDialog.RunRenumber(), file.empty() ? RunOutcome::kNotStarted : RunOutcome::kFailed);
    ASSERT_EQ(fresh.Messages().size(), 1u);
    EXPECT_EQ(fresh.Messages()[0].style, kMessageStop);
    if (file.empty()) {
      // An empty field is no run: the status line keeps what it reported.
      EXPECT_EQ(fresh.Messages()[0].text, "Name one file of the kind to renumber.");
      EXPECT_EQ(fresh.TextHistory(kStatusLine), (Names{"Ready"}));
      continue;
    }
    EXPECT_EQ(fresh.MessageSentences()[0], "File does not exist.");
    EXPECT_EQ(fresh.TextHistory(kStatusLine), (Names{"Ready", "Working...", "Error."}));
    EXPECT_EQ(fresh.TextHistory(kCountLine), Names{""});
  }
}

TEST_F(RunRenumberTest, AFieldOverItsLimitStopsTheRunBeforeItStarts) {
  struct Case {
    int id;
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {kDigitsField, "12345678", "Please enter no more than 7 characters."},
      {kPathField, std::string(301, 'p'), "Please enter no more than 300 characters."},
      {kSecondsField, "1234567", "Please enter no more than 6 characters."},
  };
  for (const Case& c : cases) {
    HeadlessDialogWindow fresh;
    RenumberDialog freshDialog{fresh, launcher};
    freshDialog.UpdateData(0);
    fresh.SetDlgItemText(c.id, c.text.c_str());
    EXPECT_EQ(freshDialog.RunRenumber(), RunOutcome::kNotStarted);
    ASSERT_EQ(fresh.Messages().size(), 1u);
    EXPECT_EQ(fresh.Messages()[0].text, c.message);
    EXPECT_EQ(fresh.Messages()[0].style, kMessageExclamation);
    EXPECT_EQ(fresh.Focus(), c.id);
    EXPECT_EQ(fresh.ItemText(kStatusLine), "Ready");
  }
}

TEST_F(RunRenumberTest, AFreshDirectoryTakesOnePass) {
  TouchAll({"a.jpg", "b.jpg", "c.jpg"});
  ExpectSucceeded(Run("a.jpg", "3"));
  EXPECT_EQ(Entries(), (Names{"001.jpg", "002.jpg", "003.jpg"}));
  ASSERT_EQ(window.Messages().size(), 1u);
  EXPECT_EQ(window.Messages()[0].text, "Directory renumbered.");
  EXPECT_EQ(window.Messages()[0].caption, "Good work.");
  EXPECT_EQ(window.Messages()[0].style, kMessageOk);
  EXPECT_EQ(window.TextHistory(kCountLine), (Names{"", "   0", "   1", "   2", "   3 files."}));
  EXPECT_TRUE(launcher.started.empty());
}

TEST_F(RunRenumberTest, NumbersWiderThanAskedForAreMadeWholeAndNoted) {
  for (char c = 'a'; c <= 'k'; ++c) Touch(std::string(1, c) + ".png", std::string("content of ") + c + ".png");
  ExpectSucceeded(Run("a.png", "1"));
  EXPECT_EQ(Read("11.png"), "content of k.png");
  EXPECT_EQ(window.MessageTexts(), Names{"Directory renumbered.\n" + LongerNumbersNote(1, 11)});
}

TEST_F(RunRenumberTest, ANumberedDirectoryIsNumberedAgainFromOne) {
  TouchAll({"01.jpg", "02.jpg", "03.jpg", "x.jpg", "y.jpg"});
  window.CheckDlgButton(kKeepLogBox, 1);
  ExpectSucceeded(Run("x.jpg", "2"));
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "03.jpg", "04.jpg", "05.jpg", "renum.ids", "renum.log"}));
  for (const auto& [now, was] : std::vector<std::pair<std::string, std::string>>{
           {"01.jpg", "01.jpg"}, {"02.jpg", "02.jpg"}, {"03.jpg", "03.jpg"}, {"04.jpg", "x.jpg"}, {"05.jpg", "y.jpg"}}) {
    EXPECT_EQ(Read(now), "content of " + was);
  }
  EXPECT_EQ(dialog.results.renamedCount, 5) << "the pictures the pages show";
  // Only the new pictures moved: the log and the count line say so.
  EXPECT_EQ(Read("renum.log"), PathOf("x.jpg") + "\t\t-> " + PathOf("04.jpg") + "\n" + PathOf("y.jpg") + "\t\t-> " +
                                   PathOf("05.jpg") + "\n");
  EXPECT_EQ(window.TextHistory(kCountLine), (Names{"", "   0", "   1", "   2 files."}));
}

TEST_F(RunRenumberTest, ADirectoryNumberedAlreadyIsLeftAsItIsAndSaysSo) {
  TouchAll({"01.jpg", "02.jpg", "03.jpg"});
  window.CheckDlgButton(kKeepLogBox, 1);
  Touch("renum.log", "from an earlier run\n");
  EXPECT_EQ(Run("02.jpg", "2"), RunOutcome::kSucceeded);
  EXPECT_EQ(window.ItemText(kStatusLine), "Done.  Nothing to rename: the directory is already numbered.");
  EXPECT_EQ(window.MessageTexts(), Names{"Nothing to rename: the directory is already numbered."}) << "one outcome";
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "03.jpg", "renum.log"}));
  EXPECT_EQ(files.renameCalls, 0);
  EXPECT_EQ(Read("renum.log"), "from an earlier run\n") << "a run that renames nothing leaves the log as it was";
  EXPECT_EQ(dialog.results.renamedCount, 3);
  EXPECT_EQ(window.TextHistory(kCountLine), (Names{"", "   0 files."}));
}

TEST_F(RunRenumberTest, PicturePagesAndTheViewerDependOnTheExtensionAndTheBoxes) {
  struct Case {
    const char* extension;
    int applyViewer;
    int viewAfterRun;
    Names pages;
    bool launched;
    const char* message;  // null: none
  };
  const Case cases[] = {
      {"png", 1, 1, {}, false, kLongSuccess},
      {"JPEG", 0, 1, {"KavoViewer.html"}, true, nullptr},
      {"Gif", 0, 1, {"KavoViewer.html"}, true, nullptr},
      {"JPG", 1, 0, {"Folder.htt"}, false, kLongSuccess},
      {"jpg", 1, 1, {"Folder.htt", "KavoViewer.html"}, true, nullptr},
      {"jpg", 0, 0, {}, false, "Directory renumbered."},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    const std::string file = std::string("a.") + c.extension;
    Touch(file);
    HeadlessDialogWindow fresh;
    RecordingLauncher freshLauncher;
    RenumberDialog freshDialog{fresh, freshLauncher};
    freshDialog.UpdateData(0);
    fresh.SetDlgItemText(kPathField, PathOf(file).c_str());
    fresh.CheckDlgButton(kApplyViewerBox, c.applyViewer);
    fresh.CheckDlgButton(kViewAfterRunBox, c.viewAfterRun);
    EXPECT_EQ(freshDialog.RunRenumber(), RunOutcome::kSucceeded) << file;
    EXPECT_EQ(fresh.ItemText(kStatusLine), "Done.");

    Names expected = c.pages;
    expected.push_back(std::string("00001.") + c.extension);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Entries(), expected) << file;
    if (c.launched) {
      ASSERT_EQ(freshLauncher.started.size(), 1u);
      EXPECT_EQ(freshLauncher.started[0].program, kDefaultViewer);
      EXPECT_EQ(freshLauncher.started[0].argument, PathOf("KavoViewer.html"));
    } else {
      EXPECT_TRUE(freshLauncher.started.empty()) << file;
    }
    if (c.message) {
      ASSERT_EQ(fresh.Messages().size(), 1u) << file;
      EXPECT_EQ(fresh.Messages()[0].text, c.message);
    } else {
      EXPECT_TRUE(fresh.Messages().empty()) << file;
    }
  }
}

TEST_F(RunRenumberTest, TheViewerGetsThePagePathAsItsOneArgument) {
  MakeDir("my pics; $(x)");
  Touch("my pics; $(x)/a.jpg");
  ExpectSucceeded(Run("my pics; $(x)/a.jpg", "3", 0, 1));
  ASSERT_EQ(launcher.started.size(), 1u);
  EXPECT_EQ(launcher.started[0].program, "my-viewer");
  EXPECT_EQ(launcher.started[0].argument, PathOf("my pics; $(x)/KavoViewer.html"));
}

TEST_F(RunRenumberTest, AFailedRenameEndsTheRunAsAFailure) {
  TouchAll({"01.jpg", "02.jpg", "x.jpg", "y.jpg"});
  files.failRenameAt = 2;  // x -> 03, then y -> 04 fails
  const RunOutcome outcome = Run("x.jpg", "2", 1, 1);
  ExpectFailed(outcome, "x.jpg");
  EXPECT_EQ(window.MessageSentences(), Names{"Could not rename at least one file."});
  EXPECT_EQ(files.renameCalls, 2);
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "03.jpg", "y.jpg"})) << "no pages";
  EXPECT_TRUE(launcher.started.empty());
}

TEST_F(RunRenumberTest, APageThatCannotBeWrittenEndsTheRun) {
  Touch("a.jpg");
  files.failOpen = true;
  const RunOutcome outcome = Run("a.jpg", "3", 1, 1);
  ExpectFailed(outcome, "a.jpg");
  EXPECT_EQ(window.MessageSentences(), Names{"Could not write to Folder.htt file"});
  EXPECT_EQ(Entries(), Names{"001.jpg"});
  EXPECT_TRUE(launcher.started.empty());
}

TEST_F(RunRenumberTest, RefusesBeforeAnyPassWhatIsNoFileOrIsBusy) {
  struct Case {
    const char* what;
    std::string named;
    std::function<void(std::unique_ptr<RunDirectory>&)> before;
    std::string message;
  };
  std::unique_ptr<RunDirectory> otherRun;
  const Case cases[] = {
      {"a directory", "pics.d", [](auto&) {},
       PathOf("pics.d") + " names a directory; name one file of the kind to renumber."},
      {"a directory run by another", "a.d",
       [&](auto& held) { ASSERT_EQ(SystemFileServices().OpenRunDirectory(Dir().c_str(), held), 0); },
       "Another run is renumbering this directory."},
      {"an unreadable directory", "a.d", [&](auto&) { files.failLockWith = EACCES; },
       "Could not read the directory " + Dir() + ": Permission denied"},
  };
  MakeDir("pics.d");
  TouchAll({"a.d", "b.d"});
  for (const Case& c : cases) {
    HeadlessDialogWindow fresh;
    RenumberDialog freshDialog{fresh, launcher};
    freshDialog.UpdateData(0);
    fresh.SetDlgItemText(kPathField, PathOf(c.named).c_str());
    c.before(otherRun);
    EXPECT_EQ(freshDialog.RunRenumber(), RunOutcome::kFailed) << c.what;
    EXPECT_EQ(fresh.MessageTexts(), Names{c.message}) << c.what;
    EXPECT_EQ(Entries(), (Names{"a.d", "b.d", "pics.d"})) << c.what << ": nothing renamed";
    otherRun.reset();
    files.failLockWith = 0;
  }
}

TEST_F(RunRenumberTest, APassThatStopsBeforeRenamingEndsTheRun) {
  Touch("README");
  const RunOutcome outcome = Run("README", "3");
  ExpectFailed(outcome, "README");
  EXPECT_EQ(window.MessageSentences(), Names{"File name must have an extension."});
  EXPECT_NE(window.MessageTexts()[0].find("README has none"), std::string::npos) << "the message names the file";
}

}  // namespace
