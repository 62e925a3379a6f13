// Faults put in a run's way through the file services: whatever fails, the
// user is told, the run never reports success after a failure, every file is
// still there under exactly one name, and renum.log records exactly the
// renames that happened.

#include <gtest/gtest.h>

#include "tests/support/HeadlessDialogWindow.h"
#include "renumber/ControlIds.h"
#include "renumber/RenumberDialog.h"
#include "renumber/UndoRenames.h"
#include "tests/support/DirectoryReplay.h"
#include "tests/support/FaultyFileServices.h"
#include "tests/support/FileLinks.h"
#include "tests/support/RecordingLauncher.h"
#include "tests/support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

class FaultInjectionTest : public TempDirTest {
 protected:
  // A run with the log on the named file; the directory as it was before.
  RunOutcome Run(const Names& files, const std::string& named, int applyViewer = 0, int viewAfterRun = 0) {
    TouchAll(files);
    before = TakeSnapshot(root_);
    dialog.UpdateData(0);
    window.SetDlgItemText(kPathField, PathOf(named).c_str());
    window.SetDlgItemText(kDigitsField, "2");
    window.CheckDlgButton(kKeepLogBox, 1);
    window.CheckDlgButton(kApplyViewerBox, applyViewer);
    window.CheckDlgButton(kViewAfterRunBox, viewAfterRun);
    return dialog.RunRenumber();
  }

  // The log tells what happened, and nothing is lost or doubled.
  void ExpectLogMatchesDisk(const std::set<std::string>& gone = {}) {
    const Snapshot after = TakeSnapshot(root_);
    Snapshot expected = Replay(before, Read("renum.log"), after);
    for (const auto& name : gone) expected.erase(name);
    EXPECT_EQ(after, expected);
  }

  // Undo gives every file its first name back.
  void ExpectUndoRestores() {
    const UndoOutcome undo = UndoRenames(root_.string());
    EXPECT_TRUE(undo.succeeded) << undo.message << "\nlog:\n" << Read("renum.log");
    EXPECT_EQ(TakeSnapshot(root_), before);
  }

  Snapshot before;
  HeadlessDialogWindow window;
  RecordingLauncher launcher;
  RenumberDialog dialog{window, launcher};
  FaultyFileServices files;
  ScopedFileServices filesInForce{files};
};

const Names kFresh = {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"};
// Numbered before: 01 to 03 keep their names, x and y are renamed.
const Names kNumbered = {"01.jpg", "02.jpg", "03.jpg", "x.jpg", "y.jpg"};
// Numbered before, with a new name that sorts first: every file moves up
// one, in a chain of renames from 03 -> 04 down to 0a -> 01.
const Names kShifted = {"01.jpg", "02.jpg", "03.jpg", "0a.jpg"};
// Pictures with companions: each group moves picture first.
const Names kGroups = {"a.jpg", "a.CR2", "a.jpg.xmp", "b.jpg", "b.xmp", "01.jpg", "01.CR2"};

TEST_F(FaultInjectionTest, ARenameThatFailsEndsTheRunAsAFailure) {
  struct Case {
    const Names* files;
    int failingCall;
  };
  const Case cases[] = {{&kFresh, 1},    {&kFresh, 3},    {&kFresh, 5},   {&kNumbered, 1},
                        {&kNumbered, 2}, {&kShifted, 2}, {&kShifted, 4},
                        {&kGroups, 2},   {&kGroups, 3},  {&kGroups, 5}};
  for (int error : {EACCES, EXDEV, ENOSPC, EBUSY}) {
    for (const Case& c : cases) {
      TearDown();
      SetUp();
      HeadlessDialogWindow caseWindow;
      RenumberDialog caseDialog{caseWindow, launcher};
      FaultyFileServices faulty;
      faulty.failRenameAt = c.failingCall;
      faulty.failRenameWith = error;
      ScopedFileServices inForce(faulty);
      TouchAll(*c.files);
      before = TakeSnapshot(root_);
      caseDialog.UpdateData(0);
      caseWindow.SetDlgItemText(kPathField, PathOf(c.files->front()).c_str());
      caseWindow.SetDlgItemText(kDigitsField, "2");
      caseWindow.CheckDlgButton(kKeepLogBox, 1);
      caseWindow.CheckDlgButton(kApplyViewerBox, 1);

      const std::string where = std::string(strerror(error)) + " at rename " + std::to_string(c.failingCall);
      EXPECT_EQ(caseDialog.RunRenumber(), RunOutcome::kFailed) << where;
      ASSERT_EQ(caseWindow.Messages().size(), 1u) << where;
      EXPECT_EQ(caseWindow.MessageSentences()[0], "Could not rename at least one file.") << where;
      // Then which file, why, and how to take back what was renamed.
      const std::string& detail = caseWindow.Messages()[0].text;
      EXPECT_NE(detail.find(std::string(": ") + strerror(error) + "."), std::string::npos) << detail;
      EXPECT_EQ(detail.find("--undo " + Dir()) != std::string::npos, c.failingCall > 1) << detail;
      EXPECT_EQ(caseWindow.ItemText(kStatusLine), "Error.") << where;
      EXPECT_EQ(faulty.renameCalls, c.failingCall) << where << ": the run stopped there";
      EXPECT_FALSE(std::filesystem::exists(PathOf("Folder.htt"))) << where;
      ExpectLogMatchesDisk();
      EXPECT_EQ(Contents(TakeSnapshot(root_)), Contents(before)) << where;
      ExpectUndoRestores();
    }
  }
}

TEST_F(FaultInjectionTest, ANameTakenJustBeforeItsRenameMovesOnToTheNextNumber) {
  // Another program takes the name between the existence test and the rename.
  files.beforeRename = [&](int call, const char*, const char* to) {
    if (call == 2) std::ofstream(to) << "the other program's";
  };
  EXPECT_EQ(Run(kFresh, "a.jpg"), RunOutcome::kSucceeded);
  EXPECT_TRUE(window.Messages().size() == 1 && window.Messages()[0].text == "Directory renumbered.");
  EXPECT_EQ(Read("02.jpg"), "the other program's");
  EXPECT_EQ(Read("03.jpg"), "content of b.jpg");
  EXPECT_EQ(Read("06.jpg"), "content of e.jpg");
  Snapshot after = TakeSnapshot(root_);
  after.erase("02.jpg");
  EXPECT_EQ(after, Replay(before, Read("renum.log"), after));
}

TEST_F(FaultInjectionTest, AnInjectedTakenNameIsSkippedAsWell) {
  files.failRenameAt = 1;
  files.failRenameWith = EEXIST;
  EXPECT_EQ(Run(kFresh, "a.jpg"), RunOutcome::kSucceeded);
  // 01 was refused, so the first pass left it free and the second closed the gap.
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "03.jpg", "04.jpg", "05.jpg", "renum.ids", "renum.log"}));
  EXPECT_EQ(Read("01.jpg"), "content of a.jpg");
  ExpectLogMatchesDisk();
  ExpectUndoRestores();
}

TEST_F(FaultInjectionTest, ALogThatCannotBeOpenedRenamesNothing) {
  files.failOpen = true;
  files.failOpenNamed = "renum.log";
  EXPECT_EQ(Run(kFresh, "a.jpg"), RunOutcome::kFailed);
  EXPECT_EQ(window.MessageSentences(), Names{"Could not write to renum.log file"});
  EXPECT_EQ(TakeSnapshot(root_), before);
}

TEST_F(FaultInjectionTest, ALogThatCannotBeMadeDurableRenamesNothingOfItsBatch) {
  files.failSyncWith = EIO;
  EXPECT_EQ(Run(kFresh, "a.jpg"), RunOutcome::kFailed);
  EXPECT_EQ(window.MessageSentences(), Names{"Could not write to renum.log file"});
  EXPECT_EQ(files.renameCalls, 0) << "no rename before its line is on the disk";
  EXPECT_EQ(TakeSnapshot(root_), before);
  EXPECT_EQ(Read("renum.log"), "") << "the batch's lines are taken back";
}

TEST_F(FaultInjectionTest, ALogWriteThatFailsStopsThePassBeforeItsRename) {
  if (!StreamsCanFailPartWay()) GTEST_SKIP() << "no stream here whose writes can be made to fail part-way";
  const std::string firstLine = PathOf("a.jpg") + "\t\t-> " + PathOf("01.jpg") + "\n";
  files.logWritesFailAfter = static_cast<long>(2 * firstLine.size() + 10);  // two lines and a bit
  EXPECT_EQ(Run(kFresh, "a.jpg"), RunOutcome::kFailed);
  EXPECT_EQ(window.MessageSentences(), Names{"Could not write to renum.log file"});
  // The lines of a batch are written and made durable before any of its
  // renames: a write that fails stops the batch before its first rename.
  EXPECT_EQ(files.renameCalls, 0) << "no rename without its line";
  ExpectUndoRestores();
}

TEST_F(FaultInjectionTest, APageThatCannotBeWrittenEndsTheRunAfterTheRenames) {
  files.failOpen = true;
  files.failOpenNamed = "KavoViewer.html";
  EXPECT_EQ(Run(kFresh, "a.jpg", 1, 1), RunOutcome::kFailed);
  EXPECT_EQ(window.MessageSentences(), Names{"Could not write to KavoViewer.html file"});
  EXPECT_TRUE(std::filesystem::exists(PathOf("Folder.htt")));
  EXPECT_TRUE(launcher.started.empty());
  ExpectLogMatchesDisk();
}

TEST_F(FaultInjectionTest, AnEntryThatVanishesBeforeItsRenameEndsTheRun) {
  files.beforeRename = [&](int call, const char* from, const char*) {
    if (call == 3) std::filesystem::remove(from);  // another program deletes c.jpg
  };
  EXPECT_EQ(Run(kFresh, "a.jpg"), RunOutcome::kFailed);
  EXPECT_EQ(window.MessageSentences(), Names{"Could not rename at least one file."});
  ExpectLogMatchesDisk({"c.jpg"});
}

TEST_F(FaultInjectionTest, ARunOverOneFileUnderTwoNamesLosesNothing) {
  // What a rename cut short between link and unlink leaves behind.
  Touch("a.jpg", "A");
  ASSERT_TRUE(MakeHardLink(PathOf("a.jpg"), PathOf("b.jpg")));
  Touch("c.jpg", "C");
  before = TakeSnapshot(root_);
  dialog.UpdateData(0);
  window.SetDlgItemText(kPathField, PathOf("a.jpg").c_str());
  window.CheckDlgButton(kKeepLogBox, 1);
  window.CheckDlgButton(kViewAfterRunBox, 0);
  EXPECT_EQ(dialog.RunRenumber(), RunOutcome::kSucceeded);
  EXPECT_EQ(Contents(TakeSnapshot(root_)), Contents(before));
  ExpectLogMatchesDisk();
  ExpectUndoRestores();
}

}  // namespace
