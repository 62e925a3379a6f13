#include "renumber/UndoRenames.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <utility>

#include "platform/os/FileServices.h"
#include "renumber/RenameIds.h"
#include "tests/support/FaultyFileServices.h"
#include "tests/support/FileLinks.h"
#include "tests/support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

class UndoRenamesTest : public TempDirTest {
 protected:
  std::string Line(const std::string& from, const std::string& to) { return from + "\t\t-> " + to + "\n"; }
};

TEST_F(UndoRenamesTest, TakesRenamesBackFromLastToFirst) {
  // A two-pass run: a -> 2 -> 1, b -> 3 -> 2.
  Touch("1.jpg", "A");
  Touch("2.jpg", "B");
  Touch("renum.log", Line(PathOf("a.jpg"), PathOf("2.jpg")) + Line(PathOf("b.jpg"), PathOf("3.jpg")) +
                         Line(PathOf("2.jpg"), PathOf("1.jpg")) + Line(PathOf("3.jpg"), PathOf("2.jpg")));
  const UndoOutcome counted = RenamesToUndo(root_.string());
  EXPECT_TRUE(counted.succeeded);
  EXPECT_EQ(counted.reversed, 4);
  EXPECT_EQ(Entries(), (Names{"1.jpg", "2.jpg", "renum.log"})) << "counting renames nothing";
  const UndoOutcome outcome = UndoRenames(root_.string());
  EXPECT_TRUE(outcome.succeeded) << outcome.message;
  EXPECT_EQ(outcome.reversed, 4);
  EXPECT_EQ(outcome.message, "Reversed 4 renames.");
  EXPECT_EQ(Entries(), (Names{"a.jpg", "b.jpg", "renum.log"}));
  EXPECT_EQ(Read("a.jpg"), "A");
  EXPECT_EQ(Read("b.jpg"), "B");

  for (const UndoOutcome& again : {RenamesToUndo(root_.string()), UndoRenames(root_.string())}) {
    EXPECT_TRUE(again.succeeded);
    EXPECT_EQ(again.reversed, 0);
    EXPECT_EQ(again.message, "Every rename in renum.log is already reversed.");
  }
  EXPECT_EQ(Entries(), (Names{"a.jpg", "b.jpg", "renum.log"}));
}

TEST_F(UndoRenamesTest, BareNamesAreTakenInTheLogsDirectory) {
  Touch("01.jpg");
  Touch("renum.log", Line("a.jpg", "01.jpg"));
  EXPECT_TRUE(UndoRenames(Dir()).succeeded);
  EXPECT_EQ(Entries(), (Names{"a.jpg", "renum.log"}));
}

TEST_F(UndoRenamesTest, StaysInsideItsDirectoryWhateverTheLogSays) {
  // Logged under another directory (a copy, a relative run, a planted line):
  // only the names count, taken in the log's own directory.
  MakeDir("outside");
  Touch("outside/authorized_keys", "keep");
  Touch("00001.jpg", "A");
  Touch("00002.jpg", "B");
  Touch("renum.log", Line("/elsewhere/original/a.jpg", "/elsewhere/original/00001.jpg") +
                         Line(PathOf("outside/authorized_keys"), "00002.jpg"));
  const UndoOutcome outcome = UndoRenames(Dir());
  EXPECT_TRUE(outcome.succeeded) << outcome.message;
  EXPECT_EQ(Entries(), (Names{"a.jpg", "authorized_keys", "outside", "renum.log"}));
  EXPECT_EQ(Read("outside/authorized_keys"), "keep");
  EXPECT_EQ(Read("authorized_keys"), "B");

  for (const char* line : {"a.jpg\t\t-> ..\n", "/pics/..\t\t-> 1.jpg\n", "a.jpg\t\t-> /pics/\n"}) {
    Touch("renum.log", line);
    const UndoOutcome refused = UndoRenames(Dir());
    EXPECT_FALSE(refused.succeeded) << line;
    EXPECT_EQ(refused.message, PathOf("renum.log") + " line 1 names no file of the directory; nothing was changed.");
  }
}

TEST_F(UndoRenamesTest, AnUndoThatStoppedCanBeRunAgainToFinish) {
  // A two-pass run over 01, 02 and x: the middle of the undo fails once.
  Touch("01.jpg", "one");
  Touch("02.jpg", "two");
  Touch("03.jpg", "x");
  const std::string log = Line("01.jpg", "04.jpg") + Line("02.jpg", "05.jpg") + Line("x.jpg", "06.jpg") +
                          Line("04.jpg", "01.jpg") + Line("05.jpg", "02.jpg") + Line("06.jpg", "03.jpg");
  for (int failAt = 1; failAt <= 6; ++failAt) {
    Touch("renum.log", log);
    FaultyFileServices faulty;
    faulty.failRenameAt = failAt;
    {
      ScopedFileServices inForce(faulty);
      EXPECT_FALSE(UndoRenames(Dir()).succeeded) << failAt;
    }
    EXPECT_EQ(RenamesToUndo(Dir()).reversed, 7 - failAt) << failAt;
    const UndoOutcome finished = UndoRenames(Dir());
    EXPECT_TRUE(finished.succeeded) << failAt << ": " << finished.message;
    EXPECT_EQ(finished.reversed, 7 - failAt) << failAt;
    EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "renum.log", "x.jpg"})) << failAt;
    EXPECT_EQ(Read("x.jpg"), "x");
    EXPECT_EQ(Read("02.jpg"), "two");
    EXPECT_EQ(Read("renum.log"), "") << failAt << ": each line taken back is cut off";
    // Back to the run's result for the next round.
    for (const auto& [from, to] : {std::pair{"01.jpg", "04.jpg"}, {"02.jpg", "05.jpg"}, {"x.jpg", "06.jpg"},
                                   {"04.jpg", "01.jpg"}, {"05.jpg", "02.jpg"}, {"06.jpg", "03.jpg"}}) {
      ASSERT_EQ(rename(PathOf(from).c_str(), PathOf(to).c_str()), 0);
    }
  }
}

TEST_F(UndoRenamesTest, RefusesWhileAnotherRunHoldsTheDirectory) {
  Touch("01.jpg");
  Touch("renum.log", Line("a.jpg", "01.jpg"));
  std::unique_ptr<RunDirectory> otherRun;
  ASSERT_EQ(Files().OpenRunDirectory(Dir().c_str(), otherRun), 0);
  const UndoOutcome outcome = UndoRenames(Dir());
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_EQ(outcome.message, "Another run is renumbering this directory.");
  EXPECT_EQ(Entries(), (Names{"01.jpg", "renum.log"}));
}

TEST_F(UndoRenamesTest, StopsAtTheFirstFailureAndNamesBothNames) {
  Touch("1.jpg");
  Touch("2.jpg");
  Touch("b.jpg", "in the way");
  Touch("renum.log", Line(PathOf("a.jpg"), PathOf("1.jpg")) + Line(PathOf("b.jpg"), PathOf("2.jpg")));
  const UndoOutcome outcome = UndoRenames(Dir());
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_EQ(outcome.message, "Could not rename " + PathOf("2.jpg") + " back to " + PathOf("b.jpg") +
                                 ": File exists (0 of 2 renames reversed)");
  EXPECT_EQ(Entries(), (Names{"1.jpg", "2.jpg", "b.jpg", "renum.log"})) << "nothing more changed";
}

TEST_F(UndoRenamesTest, AnUnreadableOrMalformedLogChangesNothing) {
  Touch("1.jpg");
  EXPECT_FALSE(UndoRenames(Dir()).succeeded);
  EXPECT_EQ(RenamesToUndo(Dir()).message, UndoRenames(Dir()).message) << "no log";
  Touch("renum.log", Line(PathOf("a.jpg"), PathOf("1.jpg")) + "garbage\n");
  const UndoOutcome outcome = UndoRenames(Dir());
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_EQ(outcome.message, PathOf("renum.log") + " line 2 records no rename; nothing was changed.");
  EXPECT_EQ(Entries(), (Names{"1.jpg", "renum.log"}));
}

TEST_F(UndoRenamesTest, PassesOverWhatAKilledRunLeftUndone) {
  struct Case {
    const char* what;
    std::string lastLine;  // after the line for a.jpg -> 1.jpg, which happened
  };
  const Case cases[] = {
      {"a last line whose rename never happened", Line("b.jpg", "2.jpg")},
      {"a last line cut short", "b.jpg\t\t-> 2.j"},
      {"a last line cut inside its arrow", "b.jpg\t"},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    Touch("1.jpg", "A");
    Touch("b.jpg", "B");
    Touch("renum.log", Line(PathOf("a.jpg"), PathOf("1.jpg")) + c.lastLine);
    const UndoOutcome outcome = UndoRenames(Dir());
    EXPECT_TRUE(outcome.succeeded) << c.what << ": " << outcome.message;
    EXPECT_EQ(outcome.reversed, 1) << c.what;
    EXPECT_EQ(Entries(), (Names{"a.jpg", "b.jpg", "renum.log"})) << c.what;
  }
}

TEST_F(UndoRenamesTest, ARenameCutShortBetweenItsStepsLosesNothing) {
  // link() made the new name, the kill came before unlink() took the old one.
  Touch("a.jpg", "A");
  ASSERT_TRUE(MakeHardLink(PathOf("a.jpg"), PathOf("1.jpg")));
  Touch("renum.log", Line(PathOf("a.jpg"), PathOf("1.jpg")));
  const UndoOutcome outcome = UndoRenames(Dir());
  EXPECT_TRUE(outcome.succeeded) << outcome.message;
  EXPECT_EQ(Entries(), (Names{"a.jpg", "renum.log"}));
  EXPECT_EQ(Read("a.jpg"), "A");

  // Two different files under the two names are never taken for one.
  Touch("1.jpg", "other");
  Touch("renum.log", Line(PathOf("a.jpg"), PathOf("1.jpg")));
  EXPECT_FALSE(UndoRenames(Dir()).succeeded);
  EXPECT_EQ(Read("1.jpg"), "other");
  EXPECT_EQ(Read("a.jpg"), "A");
}

// An undo killed after it had taken a swap of names back, before it cut the
// swap's lines: the names alone fit both "nothing reversed" and "all
// reversed"; the files' identities tell the second, so the files are not
// swapped again.
TEST_F(UndoRenamesTest, ASwapTakenBackButStillLoggedIsToldByTheFilesNotSwappedAgain) {
  Touch("x.jpg", "X");
  Touch("y.jpg", "Y");
  FileIdentity x, y;
  ASSERT_EQ(Files().Identify(PathOf("x.jpg").c_str(), x), 0);
  ASSERT_EQ(Files().Identify(PathOf("y.jpg").c_str(), y), 0);
  // The run swapped them: x -> swap, y -> x, swap -> y; its undo swapped
  // them back and was killed before it cut the lines.
  Touch("renum.log", Line("x.jpg", "renum-swap-1.jpg") + Line("y.jpg", "x.jpg") + Line("renum-swap-1.jpg", "y.jpg"));
  Touch("renum.ids", HeaderLine({0, 1, "", "", "jpg"}) + "\n" + IdentityLine(&x) + "\n" + IdentityLine(&y) + "\n" +
                         IdentityLine(&x) + "\n");

  const UndoOutcome undo = UndoRenames(root_.string());
  EXPECT_TRUE(undo.succeeded) << undo.message;
  EXPECT_EQ(undo.message, "Every rename in renum.log is already reversed.");
  EXPECT_EQ(Read("x.jpg"), "X");
  EXPECT_EQ(Read("y.jpg"), "Y");
  EXPECT_EQ(Read("renum.log"), "");
}

}  // namespace
