#include "renumber/UndoRenames.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/FaultyFileServices.h"
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
  const UndoOutcome outcome = UndoRenames(root_.string());
  EXPECT_TRUE(outcome.succeeded) << outcome.message;
  EXPECT_EQ(outcome.reversed, 4);
  EXPECT_EQ(outcome.message, "Reversed 4 renames.");
  EXPECT_EQ(Entries(), (Names{"a.jpg", "b.jpg", "renum.log"}));
  EXPECT_EQ(Read("a.jpg"), "A");
  EXPECT_EQ(Read("b.jpg"), "B");

  const UndoOutcome again = UndoRenames(root_.string());
  EXPECT_TRUE(again.succeeded);
  EXPECT_EQ(again.message, "Every rename in renum.log is already reversed.");
  EXPECT_EQ(Entries(), (Names{"a.jpg", "b.jpg", "renum.log"}));
}

TEST_F(UndoRenamesTest, BareNamesAreTakenInTheLogsDirectory) {
  Touch("01.jpg");
  Touch("renum.log", Line("a.jpg", "01.jpg"));
  EXPECT_TRUE(UndoRenames(Dir()).succeeded);
  EXPECT_EQ(Entries(), (Names{"a.jpg", "renum.log"}));
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
  ASSERT_EQ(link(PathOf("a.jpg").c_str(), PathOf("1.jpg").c_str()), 0);
  Touch("renum.log", Line(PathOf("a.jpg"), PathOf("1.jpg")));
  const UndoOutcome outcome = UndoRenames(Dir());
  EXPECT_TRUE(outcome.succeeded) << outcome.message;
  EXPECT_EQ(Entries(), (Names{"a.jpg", "renum.log"}));
  EXPECT_EQ(Read("a.jpg"), "A");

  // Two different files under the two names are never taken for one.
  Touch("1.jpg", "other");
  EXPECT_FALSE(UndoRenames(Dir()).succeeded);
  EXPECT_EQ(Read("1.jpg"), "other");
  EXPECT_EQ(Read("a.jpg"), "A");
}

}  // namespace
