#include "renumber/RenamePreview.h"

#include <gtest/gtest.h>

#include "renumber/ControlIds.h"
#include "tests/support/HeadlessDialogWindow.h"
#include "tests/support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

class RenamePreviewTest : public TempDirTest {
 protected:
  RunOptions Fields(const std::string& file, const std::string& digits) {
    RunOptions fields;
    fields.pathText = PathOf(file);
    fields.digitsText = digits;
    fields.keepLog = 1;
    fields.viewAfterRun = 1;  // a picture run: a page and a viewer, neither of which a preview makes
    return fields;
  }
  static std::vector<std::string> Lines(const RenamePreview& preview) {
    std::vector<std::string> lines;
    for (const LoggedRename& rename : preview.renames) lines.push_back(rename.from + " -> " + rename.to);
    return lines;
  }
  HeadlessDialogWindow owner;
};

TEST_F(RenamePreviewTest, ListsTheRunsRenamesInOrderAndChangesNothing) {
  // 0a sorts first, so 01 and 02 move up one, from the free end.
  TouchAll({"01.jpg", "02.jpg", "0a.jpg", "x.jpg", "notes.txt"});
  const RenamePreview preview = PreviewRenames(Fields("x.jpg", "2"), owner);
  EXPECT_EQ(preview.outcome, RunOutcome::kSucceeded);
  EXPECT_EQ(preview.directory, Dir());
  EXPECT_EQ(Lines(preview), (Names{"02.jpg -> 03.jpg", "01.jpg -> 02.jpg", "0a.jpg -> 01.jpg", "x.jpg -> 04.jpg"}));
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "0a.jpg", "notes.txt", "x.jpg"})) << "no rename, log or page";
  EXPECT_TRUE(preview.orderedBy.empty());
  EXPECT_EQ(PreviewRenames(Fields("x.jpg", "2"), owner, true).orderedBy, Names(4, "name")) << "explained";
  EXPECT_TRUE(owner.Messages().empty()) << "no \"Directory renumbered.\"";
  EXPECT_TRUE(owner.TextHistory(kStatusLine).empty()) << "the owner's controls stay as they are";
}

TEST_F(RenamePreviewTest, ExplainedEachFileIsListedOnceFromFirstToLastNameInTheOrderOfTheNewNumbers) {
  RenamePreview preview;
  preview.renames = {{"02.jpg", "03.jpg"}, {"b.jpg", "tmp.jpg"}, {"01.jpg", "02.jpg"}, {"tmp.jpg", "01.jpg"}};
  preview.orderedBy = {"x", "y", "z", "name"};
  preview.fileBefore = preview.pictureBefore = {"02.jpg", "b.jpg", "01.jpg", "b.jpg"};
  preview.ofCompanion = {0, 0, 0, 0};
  std::vector<std::string> lines;
  for (const ExplainedRename& file : FromFirstToLastNames(preview)) {
    lines.push_back(file.orderedBy + " " + file.from + " -> " + file.to);
  }
  EXPECT_EQ(lines, (Names{"y b.jpg -> 01.jpg", "z 01.jpg -> 02.jpg", "x 02.jpg -> 03.jpg"}));

  // Grouped as the preview lists them (a file's renames together, a
  // companion after its picture), a swap's moves are told apart by the
  // name each file had before the run.
  preview.renames = {{"x.CR2", "1.CR2"}, {"a.jpg", "t.jpg"}, {"t.jpg", "b.jpg"}, {"b.jpg", "a.jpg"}, {"x.jpg", "1.jpg"}};
  preview.orderedBy = {"name", "t1", "name", "t2", "t3"};
  preview.fileBefore = {"x.CR2", "a.jpg", "a.jpg", "b.jpg", "x.jpg"};
  preview.pictureBefore = {"x.jpg", "a.jpg", "a.jpg", "b.jpg", "x.jpg"};
  preview.ofCompanion = {1, 0, 0, 0, 0};
  lines.clear();
  for (const ExplainedRename& file : FromFirstToLastNames(preview)) {
    lines.push_back(file.orderedBy + " " + file.from + " -> " + file.to + (file.ofCompanion ? " (companion)" : ""));
  }
  EXPECT_EQ(lines, (Names{"t3 x.jpg -> 1.jpg", "name x.CR2 -> 1.CR2 (companion)", "t2 b.jpg -> a.jpg",
                          "t1 a.jpg -> b.jpg"}));
}

TEST_F(RenamePreviewTest, WhatStopsTheRunIsSaidToTheOwnerAndNothingIsListed) {
  Touch("a.jpg");
  const RenamePreview preview = PreviewRenames(Fields("a.jpg", "500"), owner);
  EXPECT_EQ(preview.outcome, RunOutcome::kFailed);
  EXPECT_TRUE(preview.renames.empty());
  ASSERT_EQ(owner.Messages().size(), 1u);
  EXPECT_EQ(owner.Messages()[0].text, "The new file names would be too long: at most 255 bytes.");
  EXPECT_EQ(owner.Messages()[0].style, kMessageStop);
  EXPECT_EQ(Entries(), (Names{"a.jpg"}));
}

TEST_F(RenamePreviewTest, EachCompanionStandsUnderItsPictureAndTheCountsSayHowManyOfEach) {
  // b's raw is in the way of a's: the run renames it first, the list shows it under b.
  TouchAll({"a.jpg", "a.CR2", "b.jpg", "b.jpg.xmp", "01.CR2"});
  const RenamePreview preview = PreviewRenames(Fields("a.jpg", "2"), owner);
  EXPECT_EQ(Lines(preview), (Names{"a.jpg -> 02.jpg", "a.CR2 -> 02.CR2", "b.jpg -> 03.jpg", "b.jpg.xmp -> 03.jpg.xmp"}));
  EXPECT_EQ(preview.ofCompanion, (std::vector<char>{0, 1, 0, 1}));
  EXPECT_EQ(RenamedEntriesText(preview), "2 pictures and 2 companions would be renamed");
  RenamePreview one;
  one.pictures = 1;
  one.companions = 1;
  EXPECT_EQ(RenamedEntriesText(one), "1 picture and 1 companion would be renamed");
}

}  // namespace
