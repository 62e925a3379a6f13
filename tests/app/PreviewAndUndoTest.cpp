// The window menu's preview and undo, headless.

#include <gtest/gtest.h>

#include <memory>

#include "app/MainDialog.h"
#include "app/PreviewDialog.h"
#include "renumber/ControlIds.h"
#include "tests/support/HeadlessDialogFactory.h"
#include "tests/support/HeadlessDialogWindow.h"
#include "tests/support/RecordingLauncher.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

class PreviewAndUndoTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    MakeDir("pics");
    configHome_ = std::make_unique<ScopedEnvironment>("XDG_CONFIG_HOME", PathOf("config"));
    window.DoModal(dialog);  // headless: initialises and returns
    window.SetDlgItemText(kDigitsField, "2");
    window.CheckDlgButton(kViewAfterRunBox, 0);
  }
  void TearDown() override {
    configHome_.reset();
    TempDirTest::TearDown();
  }

  std::vector<std::string> Pictures() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root_ / "pics")) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  // What the last message box said, and with which caption.
  std::pair<std::string, std::string> LastMessage() const {
    if (window.Messages().empty()) return {};
    return {window.Messages().back().text, window.Messages().back().caption};
  }

  std::unique_ptr<ScopedEnvironment> configHome_;
  HeadlessDialogWindow window;
  HeadlessDialogFactory dialogs;
  RecordingLauncher launcher;
  MainDialog dialog{window, dialogs, launcher};
};

TEST_F(PreviewAndUndoTest, ThePreviewListsTheRunsRenamesAndGoForItMakesThem) {
  TouchAll({"pics/01.jpg", "pics/0a.jpg", "pics/x.jpg", "pics/y.gif"});
  window.SetDlgItemText(kPathField, PathOf("pics/x.jpg").c_str());
  std::vector<std::string> lines;
  std::string directory, count;
  int answer = kIdCancel;
  dialogs.whileShown = [&](HeadlessDialogWindow& preview, DialogCommands& commands) {
    lines = preview.ListItems(kPreviewList);
    directory = preview.ItemText(kPreviewDirectory);
    count = preview.ItemText(kPreviewCount);
    EXPECT_EQ(preview.Focus(), kPreviewList);
    if (answer == kGoButton) {
      commands.OnCommand(kGoButton);
    } else {
      commands.OnCancel();  // Close, or Escape
    }
  };

  dialog.OnSysCommand(kPreviewCommand);
  EXPECT_EQ(dialogs.created, Names{"Preview the renames"});
  // 0a sorts first: 01 moves up to make room, then 0a and x take their numbers.
  EXPECT_EQ(lines, (Names{"01.jpg\t\t-> 02.jpg", "0a.jpg\t\t-> 01.jpg", "x.jpg\t\t-> 03.jpg"}));
  EXPECT_EQ(directory, PathOf("pics/"));
  EXPECT_EQ(count, "3 renames would be made. 3 pictures and 0 companions would be renamed.");
  EXPECT_EQ(Pictures(), (Names{"01.jpg", "0a.jpg", "x.jpg", "y.gif"})) << "closed: nothing renamed";
  EXPECT_EQ(window.ItemText(kStatusLine), "Ready");
  EXPECT_TRUE(window.Messages().empty());

  answer = kGoButton;
  dialog.OnSysCommand(kPreviewCommand);
  EXPECT_EQ(Pictures(), (Names{"01.jpg", "02.jpg", "03.jpg", "renum.ids", "renum.log", "y.gif"}));
  EXPECT_EQ(window.ItemText(kStatusLine), "Done.");
  EXPECT_EQ(window.ItemText(kPathField), "");
  EXPECT_EQ(LastMessage().first, "Directory renumbered.");
}

TEST_F(PreviewAndUndoTest, ThePreviewOfARunThatWouldNotGoThroughIsTheRunsOwnMessage) {
  Touch("pics/a.jpg");
  window.SetDlgItemText(kPathField, PathOf("pics/a.jpg").c_str());
  window.SetDlgItemText(kPrefixField, "a/b");
  dialog.OnSysCommand(kPreviewCommand);
  EXPECT_TRUE(dialogs.created.empty());
  ASSERT_EQ(window.Messages().size(), 1u);
  EXPECT_EQ(window.Messages()[0].caption, "Error");
  EXPECT_EQ(window.ItemText(kStatusLine), "Ready") << "no run happened";
}

TEST_F(PreviewAndUndoTest, BothRefusePolitelyWhenThePathFieldNamesNoFile) {
  const std::string noFile =
      " first: type its path, use Browse, or drop the file onto the window.";
  for (const std::string& path : {std::string(), PathOf("pics/gone.jpg"), PathOf("pics")}) {
    window.SetDlgItemText(kPathField, path.c_str());
    dialog.OnSysCommand(kPreviewCommand);
    EXPECT_EQ(LastMessage(), std::pair("Name one file of the kind to renumber" + noFile,
                                       std::string("Preview the renames")))
        << path;
    dialog.OnSysCommand(kUndoCommand);
    EXPECT_EQ(LastMessage(), std::pair("Name one file of the directory whose last run to take back" + noFile,
                                       std::string("Undo the last run")))
        << path;
    EXPECT_EQ(window.Messages().back().style, kMessageInformation);
  }
  EXPECT_TRUE(dialogs.created.empty());
}

TEST_F(PreviewAndUndoTest, UndoTakesBackTheLoggedRunOnceConfirmedWithTheCommandLinesMessages) {
  TouchAll({"pics/b.jpg", "pics/a.jpg", "pics/c.jpg"});
  window.SetDlgItemText(kPathField, PathOf("pics/a.jpg").c_str());
  window.CheckDlgButton(kKeepLogBox, 1);
  dialog.OnCommand(kGoButton);
  ASSERT_EQ(Pictures(), (Names{"01.jpg", "02.jpg", "03.jpg", "renum.ids", "renum.log"}));
  ASSERT_EQ(window.ItemText(kPathField), "") << "the run emptied the path field";

  // The renames undo would make are listed first; closed, nothing changes.
  std::vector<std::string> lines;
  std::string count;
  int answer = kIdCancel;
  dialogs.whileShown = [&](HeadlessDialogWindow& preview, DialogCommands& commands) {
    lines = preview.ListItems(kPreviewList);
    count = preview.ItemText(kPreviewCount);
    if (answer == kGoButton) {
      commands.OnCommand(kGoButton);
    } else {
      commands.OnCancel();
    }
  };
  dialog.OnSysCommand(kUndoCommand);
  EXPECT_EQ(lines, (Names{"03.jpg\t\t-> c.jpg", "02.jpg\t\t-> b.jpg", "01.jpg\t\t-> a.jpg"}));
  EXPECT_EQ(count, "3 renames would be reversed.");
  EXPECT_EQ(Pictures(), (Names{"01.jpg", "02.jpg", "03.jpg", "renum.ids", "renum.log"}));

  // Answered No: nothing changes. The run's directory is the one to undo.
  answer = kGoButton;
  window.questionAnswer = kIdNo;
  dialog.OnSysCommand(kUndoCommand);
  EXPECT_EQ(LastMessage(), std::pair(std::string("Take back the 3 renames recorded in ") + PathOf("pics/renum.log") +
                                         "? Each file gets back the name it had before the run.",
                                     std::string("Undo the last run")));
  EXPECT_EQ(window.Messages().back().style, kMessageYesNo | kMessageQuestion);
  EXPECT_EQ(Pictures(), (Names{"01.jpg", "02.jpg", "03.jpg", "renum.ids", "renum.log"}));

  window.questionAnswer = kIdYes;
  dialog.OnSysCommand(kUndoCommand);
  EXPECT_EQ(LastMessage(), std::pair(std::string("Reversed 3 renames."), std::string("Undo the last run")));
  EXPECT_EQ(window.ItemText(kStatusLine), "Done.");
  EXPECT_EQ(Pictures(), (Names{"a.jpg", "b.jpg", "c.jpg", "renum.ids", "renum.log"}));

  // Named through the path field; nothing is left to take back.
  window.SetDlgItemText(kPathField, PathOf("pics/b.jpg").c_str());
  const size_t asked = window.Messages().size();
  dialog.OnSysCommand(kUndoCommand);
  EXPECT_EQ(window.Messages().size(), asked + 1) << "no question";
  EXPECT_EQ(LastMessage(), std::pair(std::string("Every rename in renum.log is already reversed."),
                                     std::string("Undo the last run")));
}

TEST_F(PreviewAndUndoTest, UndoRefusesPolitelyWhereThereIsNoLogAndSaysWhatStopsIt) {
  Touch("pics/01.jpg");
  window.SetDlgItemText(kPathField, PathOf("pics/01.jpg").c_str());
  dialog.OnSysCommand(kUndoCommand);
  EXPECT_EQ(LastMessage(), std::pair(PathOf("pics/") + " holds no renum.log, so there is no run to take back: a run "
                                                       "keeps one when \"Keep a log\" is checked.",
                                     std::string("Undo the last run")));

  Touch("pics/renum.log", "garbage\n");
  dialog.OnSysCommand(kUndoCommand);
  EXPECT_EQ(LastMessage(), std::pair(PathOf("pics/renum.log") + " line 1 records no rename; nothing was changed.",
                                     std::string("Error")));
  EXPECT_EQ(window.ItemText(kStatusLine), "Error.");
  EXPECT_EQ(Pictures(), (Names{"01.jpg", "renum.log"}));
}

// Each line's thumbnail is drawn from its file as it is now, before any
// rename: by the run's record, or followed back through an undo's renames.
// The source reads the file itself (here no picture: its bytes whole, on
// POSIX) and holds what it needs after the dialog has gone.
TEST_F(PreviewAndUndoTest, EachLinesThumbnailIsOfItsFileAsItIsNowBeforeTheRenames) {
  const struct {
    std::vector<LoggedRename> renames;
    Names fileBefore;  // the run's record; none for an undo's
    Names files;       // the file each line's thumbnail is drawn from
  } cases[] = {
      {{{"a", "t"}, {"b", "a"}, {"t", "b"}}, {}, {"a", "b", "a"}},
      {{{"a", "b"}, {"b", "c"}}, {}, {"a", "a"}},
      {{{"b", "01"}, {"a", "02"}}, {"b", "a"}, {"b", "a"}},
  };
  TouchAll({"pics/a", "pics/b"});
  for (const auto& c : cases) {
    RenamePreview preview;
    preview.directory = PathOf("pics/");
    preview.renames = c.renames;
    preview.fileBefore = c.fileBefore;
    ThumbnailSource source;
    {
      HeadlessDialogWindow shown;
      PreviewDialog previewDialog(shown, preview);
      shown.DoModal(previewDialog);
      source = shown.ListThumbnails(kPreviewList);
    }
    ASSERT_TRUE(source);
    for (size_t line = 0; line < c.files.size(); ++line) {
      const Thumbnail thumbnail = source(line, 48);
      EXPECT_EQ(thumbnail.path, PathOf("pics/" + c.files[line])) << line;
      // Empty where the system draws thumbnails from the path itself (Windows).
      if (!thumbnail.encoded.empty()) {
        EXPECT_EQ(thumbnail.encoded, "content of pics/" + c.files[line]) << line;
      }
    }
    EXPECT_EQ(source(c.files.size(), 48).path, "") << "no such line";
  }
}

TEST(PreviewLine, ShowsOneRenameAsTheLogDoesEachOnItsOwnLine) {
  const struct {
    LoggedRename rename;
    const char* line;
  } cases[] = {
      {{"a.jpg", "001.jpg"}, "a.jpg\t\t-> 001.jpg"},
      {{"a\nb.jpg", "002.jpg"}, "a\xEF\xBF\xBD" "b.jpg\t\t-> 002.jpg"},
      {{"a\tb.jpg", "c\r.jpg"}, "a\xEF\xBF\xBD" "b.jpg\t\t-> c\xEF\xBF\xBD.jpg"},
      {{"Grüße.jpg", "1.jpg"}, "Grüße.jpg\t\t-> 1.jpg"},
  };
  for (const auto& c : cases) EXPECT_EQ(PreviewLine(c.rename), c.line) << c.rename.from;
  EXPECT_EQ(PreviewCountText(1), "1 rename would be made.");
  EXPECT_EQ(PreviewCountText(3), "3 renames would be made.");
}

}  // namespace
