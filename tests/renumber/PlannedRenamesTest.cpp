// A run decides every name with its passes on a picture of the directory and
// renames on disk only what must move: the same names as the passes give
// when they rename on disk, in as few renames as there can be, a directory
// that changes meanwhile planned anew, and cycles of renames that undo takes
// back from wherever they stopped.

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "renumber/ControlIds.h"
#include "renumber/PassPlan.h"
#include "renumber/RenumberDialog.h"
#include "renumber/UndoRenames.h"
#include "tests/support/DirectoryReplay.h"
#include "tests/support/FaultyFileServices.h"
#include "tests/support/HeadlessDialogWindow.h"
#include "tests/support/RecordingLauncher.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

namespace {

using Names = std::vector<std::string>;

// The fields of a run, and a directory for it.
struct RandomDirectory {
  Names files;
  Names directories;
  std::string named;
  RunOptions fields;
};

// A small directory such as runs meet: names numbered before by this rule
// or another width, new names sorting before and after them, other kinds,
// another case of the extension, a directory of the kind, the log.
RandomDirectory MakeRandomDirectory(std::mt19937& random) {
  const auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
  RandomDirectory made;
  RunOptions& fields = made.fields;
  fields.digitsText = pick({"", "0", "1", "2", "3", "-2", "x"});
  fields.prefixText = pick({"", "", "p", "IMG_", "1"});
  fields.suffixText = pick({"", "", "s", "0"});
  fields.keepLog = static_cast<int>(random() % 2);
  fields.viewAfterRun = 0;
  const std::string extension = random() % 8 == 0 ? "log" : "jpg";
  const int width = std::atoi(fields.digitsText.c_str());
  fields.companions = random() % 5 == 0 ? 0 : 1;
  if (random() % 3 == 0) fields.kinds = {"png"};

  std::set<std::string> names;
  const int count = 1 + static_cast<int>(random() % 9);
  for (int i = 0; i < count; ++i) {
    const int number = 1 + static_cast<int>(random() % 12);
    char numbered[64];
    switch (random() % 11) {
      case 0:
      case 1:
      case 2:  // numbered before by this rule
        std::snprintf(numbered, sizeof numbered, "%s%0*d%s.%s", fields.prefixText.c_str(), width, number,
                      fields.suffixText.c_str(), extension.c_str());
        names.insert(numbered);
        break;
      case 3:  // by another width
        std::snprintf(numbered, sizeof numbered, "%s%0*d%s.%s", fields.prefixText.c_str(), 1 + width % 3, number,
                      fields.suffixText.c_str(), extension.c_str());
        names.insert(numbered);
        break;
      case 4: names.insert(pick({"0a", "!new", "-x", " sp"}) + "." + extension); break;     // sorting first
      case 5: names.insert(pick({"a", "b10", "b9", "IMG_2", "z"}) + "." + extension); break;  // after
      case 6: names.insert(pick({"c.png", "d.jpeg", "e", "1.jpg.bak"})); break;                // other kinds
      case 7: names.insert(pick({"F", "g"}) + ".JPG"); break;                                   // the kind in capitals
      case 8:  // the log, and a name no log line can hold
        names.insert(extension == "log" ? "renum.log" : "new\nline.jpg");
        break;
      case 9:
      case 10: {  // a picture with companions: raw, sidecars, Finder data, a picture of another kind
        std::snprintf(numbered, sizeof numbered, "%s%0*d%s", fields.prefixText.c_str(), width, number,
                      fields.suffixText.c_str());
        const std::string stem = random() % 2 ? std::string(numbered) : pick({"a", "IMG_2", "z", "a.b"});
        names.insert(stem + "." + extension);
        for (const std::string& ending : Names{".CR2", ".xmp", "." + extension + ".xmp", ".png", ".png.xmp"}) {
          if (random() % 2) names.insert(stem + ending);
        }
        if (random() % 3 == 0) names.insert("._" + stem + "." + extension);
        break;
      }
    }
  }
  for (const auto& name : names) made.files.push_back(name);
  if (random() % 6 == 0) {
    char directory[64];
    std::snprintf(directory, sizeof directory, "%s%0*d%s.%s", fields.prefixText.c_str(), width,
                  1 + static_cast<int>(random() % 4), fields.suffixText.c_str(), extension.c_str());
    if (!names.count(directory)) made.directories.push_back(directory);
  }
  // The named file is of the kind, whatever its number.
  made.named = "named." + extension;
  if (!names.count(made.named)) made.files.push_back(made.named);
  return made;
}

class PlannedRenamesTest : public TempDirTest {
 protected:
  void Fill(const std::filesystem::path& directory, const RandomDirectory& made) {
    std::filesystem::create_directory(directory);
    for (const auto& name : made.files) std::ofstream(directory / name, std::ios::binary) << "content of " << name;
    for (const auto& name : made.directories) std::filesystem::create_directory(directory / name);
  }

  // A run as the window starts it, with the log, on the named file.
  RunOutcome Run(RenumberDialog& dialog, const std::string& named, const char* digits = "2") {
    dialog.options.pathText = PathOf(named);
    dialog.options.digitsText = digits;
    dialog.options.keepLog = 1;
    dialog.options.applyViewer = 0;
    dialog.options.viewAfterRun = 0;
    return dialog.RunOnFields();
  }

  HeadlessDialogWindow window;
  RecordingLauncher launcher;
  RenumberDialog dialog{window, launcher};
};

TEST_F(PlannedRenamesTest, TheNamesAreThoseOfThePassesRunOnDiskInTheFewestRenames) {
  const unsigned seed = 20240615;
  std::mt19937 random(seed);
  int directoriesRun = 0, renumbered = 0;
  // Wine makes files so slowly that 2,000 directories take it two minutes.
  const int rounds = RunningUnderWine() ? 200 : 2000;
  for (int round = 0; round < rounds; ++round) {
    const RandomDirectory made = MakeRandomDirectory(random);
    const std::filesystem::path onDisk = root_ / "passes", planned = root_ / "planned";
    Fill(onDisk, made);
    Fill(planned, made);
    const Snapshot before = TakeSnapshot(planned);
    std::ostringstream where;
    where << "round " << round << ": companions " << made.fields.companions << " kinds "
          << made.fields.kinds.size() << ", digits '" << made.fields.digitsText << "' prefix '" << made.fields.prefixText
          << "' suffix '" << made.fields.suffixText << "' log " << made.fields.keepLog << ", files";
    for (const auto& name : made.files) where << " '" << name << "'";
    for (const auto& name : made.directories) where << " dir '" << name << "'";
    SCOPED_TRACE(where.str());

    // The passes on disk, as a run has always run them.
    HeadlessDialogWindow passesWindow;
    RenumberDialog passes{passesWindow, launcher};
    passes.options = made.fields;
    passes.options.pathText = (onDisk / made.named).string();
    // A run adds to a log it finds, asked or not.
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(onDisk / "renum.log"))) {
      passes.options.keepLog = 1;
    }
    bool passesDone = passes.RenumberFiles(PassKind::kFirst) == 1 && !passes.LastPassFailed();
    if (passesDone) {
      bool firstFree = true;
      for (const std::string& name : passes.NamesOfNumberOne()) {
        firstFree = firstFree && !std::filesystem::exists(std::filesystem::symlink_status(onDisk / name));
      }
      if (firstFree) {
        passesDone = passes.RenumberFiles(PassKind::kSecond) == 1 && !passes.LastPassFailed();
      }
    }

    // The run: the same passes on a picture, then the difference on disk.
    HeadlessDialogWindow runWindow;
    RenumberDialog run{runWindow, launcher};
    run.options = made.fields;
    run.options.pathText = (planned / made.named).string();
    const RunOutcome outcome = run.RunOnFields();

    ++directoriesRun;
    ASSERT_EQ(outcome == RunOutcome::kSucceeded, passesDone);
    const Snapshot after = TakeSnapshot(planned);
    ASSERT_EQ(after, TakeSnapshot(onDisk));
    if (!passesDone) {
      EXPECT_EQ(runWindow.MessageTexts(), passesWindow.MessageTexts()) << "the same refusal";
    } else {
      ++renumbered;
      EXPECT_EQ(run.results.renamedCount, passes.results.renamedCount);
      EXPECT_STREQ(run.results.currentExtension, passes.results.currentExtension);
      // Every file whose name changed was renamed once, and no other.
      std::map<std::string, std::string> nameOf;
      for (const auto& [name, content] : before) nameOf[content] = name;
      long moved = 0;
      for (const auto& [name, content] : after) moved += content.empty() ? 0 : nameOf[content] != name;
      for (const auto& name : made.directories) moved += !std::filesystem::is_directory(planned / name);
      EXPECT_EQ(run.renamesMade, moved);
      if (made.fields.keepLog == 1) {
        std::ifstream in(planned / "renum.log", std::ios::binary);
        const std::string log((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(Replay(before, log, after), after);
        if (round % 8 == 0) {
          EXPECT_TRUE(UndoRenames(planned.string()).succeeded);
          EXPECT_EQ(TakeSnapshot(planned), before);
        }
      }
    }
    std::filesystem::remove_all(onDisk);
    std::filesystem::remove_all(planned);
  }
  std::printf("%d directories, %d renumbered, seed %u\n", directoriesRun, renumbered, seed);
}

TEST_F(PlannedRenamesTest, ADirectoryThatChangesUnderTheRunIsPlannedAnewAFewTimes) {
  // Another program takes the name of each rename just before it: the run
  // plans from the directory as it is then, and gives up after five plans.
  TouchAll({"a.jpg", "b.jpg", "c.jpg"});
  const Snapshot before = TakeSnapshot(root_);
  FaultyFileServices files;
  int taken = 0;
  files.beforeRename = [&](int, const char*, const char* to) {
    std::ofstream(to) << "taken by another program " << ++taken;
  };
  ScopedFileServices inForce(files);
  EXPECT_EQ(Run(dialog, "a.jpg"), RunOutcome::kFailed);
  EXPECT_EQ(window.MessageSentences(), Names{"Could not rename at least one file."});
  EXPECT_NE(window.MessageTexts()[0].find("kept changing"), std::string::npos) << window.MessageTexts()[0];
  EXPECT_EQ(files.renameCalls, 5) << "one rename of each plan, each refused";
  EXPECT_EQ(dialog.renamesMade, 0);
  Snapshot after = TakeSnapshot(root_);
  EXPECT_EQ(after.size(), 3u + 5u) << "nothing overwritten";
  EXPECT_EQ(Read("renum.log"), "");

  // Taken once: the second plan numbers the other program's file too.
  TearDown();
  SetUp();
  TouchAll({"a.jpg", "b.jpg", "c.jpg"});
  files.renameCalls = 0;
  files.beforeRename = [&](int call, const char*, const char* to) {
    if (call == 2) std::ofstream(to) << "the other program's";
  };
  HeadlessDialogWindow again;
  RenumberDialog second{again, launcher};
  EXPECT_EQ(Run(second, "a.jpg"), RunOutcome::kSucceeded);
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "03.jpg", "04.jpg", "renum.ids", "renum.log"}));
  EXPECT_EQ(Read("02.jpg"), "the other program's");
  EXPECT_EQ(Read("04.jpg"), "content of c.jpg");
  EXPECT_EQ(second.renamesMade, 3) << "a -> 01, then after the new plan b -> 03, c -> 04";
  EXPECT_EQ(again.TextHistory(kCountLine).back(), "   3 files.");
}

TEST_F(PlannedRenamesTest, CyclesGoThroughOneTemporaryNameEachAndUndoTakesBackAnyStop) {
  // A listing in another order than the names' (as an order by the time
  // of the pictures gives) makes the passes swap numbers: 2 <-> 1, 4 <-> 3.
  const Names files = {"1.jpg", "2.jpg", "3.jpg", "4.jpg"};
  const Names order = {"2.jpg", "1.jpg", "4.jpg", "3.jpg"};
  std::string wholeLog;
  {
    TouchAll(files);
    FaultyFileServices listing;
    listing.listingOrder = order;
    ScopedFileServices inForce(listing);
    ASSERT_EQ(Run(dialog, "1.jpg", "0"), RunOutcome::kSucceeded);
    EXPECT_EQ(Read("1.jpg"), "content of 2.jpg");
    EXPECT_EQ(Read("4.jpg"), "content of 3.jpg");
    EXPECT_EQ(dialog.renamesMade, 6) << "two swaps, each through its own temporary name";
    wholeLog = Read("renum.log");
    EXPECT_NE(wholeLog.find("renum-swap-1.jpg"), std::string::npos);
    EXPECT_NE(wholeLog.find("renum-swap-2.jpg"), std::string::npos);
  }
  std::vector<std::string> lines;
  std::istringstream split(wholeLog);
  for (std::string line; std::getline(split, line);) lines.push_back(line + "\n");
  ASSERT_EQ(lines.size(), 6u);

  // Stopped before each rename (its line taken back, or left by a kill),
  // or not at all; then undone, and undone again; and an undo that stops
  // at each of its renames, then finishes.
  for (int stop = 1; stop <= 7; ++stop) {
    for (bool lineLeft : {false, true}) {
      for (int undoStop = 0; undoStop <= 6; ++undoStop) {
        SCOPED_TRACE("stopped at rename " + std::to_string(stop) + (lineLeft ? " after its line" : "") +
                     ", undo stopped at " + std::to_string(undoStop));
        TearDown();
        SetUp();
        TouchAll(files);
        const Snapshot before = TakeSnapshot(root_);
        {
          HeadlessDialogWindow stoppedWindow;
          RenumberDialog stopped{stoppedWindow, launcher};
          FaultyFileServices listing;
          listing.listingOrder = order;
          listing.failRenameAt = stop;
          ScopedFileServices inForce(listing);
          EXPECT_EQ(Run(stopped, "1.jpg", "0"), stop <= 6 ? RunOutcome::kFailed : RunOutcome::kSucceeded);
        }
        if (lineLeft && stop <= 6) std::ofstream(PathOf("renum.log"), std::ios::app) << lines[stop - 1];
        const Snapshot afterRun = TakeSnapshot(root_);
        ASSERT_EQ(Replay(before, Read("renum.log"), afterRun), afterRun);
        if (undoStop > 0) {
          FaultyFileServices failing;
          failing.failRenameAt = undoStop;
          ScopedFileServices inForce(failing);
          UndoRenames(root_.string());
        }
        const UndoOutcome undo = UndoRenames(root_.string());
        EXPECT_TRUE(undo.succeeded) << undo.message;
        EXPECT_EQ(TakeSnapshot(root_), before);
        const UndoOutcome again = UndoRenames(root_.string());
        EXPECT_EQ(again.message, "Every rename in renum.log is already reversed.");
        EXPECT_EQ(TakeSnapshot(root_), before) << "a cycle undone is not undone twice";
      }
    }
  }
}

TEST_F(PlannedRenamesTest, ACameraAndPhoneDumpKeepsEveryShotOnOneNumberAndUndoRestoresIt) {
  // JPG+CR2+XMP+AAE shots, HEIC+MOV live photos and MP4 videos, in name and
  // in modified order: every group on one number, every number used once.
  const Names files = {"IMG_0001.JPG", "IMG_0001.CR2", "IMG_0001.JPG.xmp", "IMG_0001.AAE", "._IMG_0001.JPG",
                       "IMG_0002.JPG", "IMG_0002.CR2", "IMG_0002.xmp",     "PXL_0003.heic", "PXL_0003.MOV",
                       "VID_0004.mp4", "VID_0004.mp4.json", "VID_0005.MOV", "notes.txt"};
  for (const NumberingOrder order : {NumberingOrder::kName, NumberingOrder::kModified}) {
    TearDown();
    SetUp();
    TouchAll(files);
    const Snapshot before = TakeSnapshot(root_);
    dialog.options.order = order;
    dialog.options.kinds = {"jpg", "heic", "cr2", "mov", "mp4"};
    ASSERT_EQ(Run(dialog, "IMG_0001.JPG", "3"), RunOutcome::kSucceeded) << window.MessageTexts()[0];
    std::map<std::string, std::string> numberOf;  // original stem -> the number its files bear
    for (const auto& [name, content] : TakeSnapshot(root_)) {
      if (name == "renum.log" || name == "notes.txt") continue;
      const std::string original = content.substr(std::string("content of ").size());
      const size_t from = original.rfind("._", 0) == 0 ? 2 : 0;
      const std::string stem = original.substr(from, original.find('.', from) - from);
      const std::string number = name.substr(from, 3);
      EXPECT_EQ(numberOf.emplace(stem, number).first->second, number) << name << " left its group";
    }
    std::set<std::string> numbers;
    for (const auto& [stem, number] : numberOf) numbers.insert(number);
    EXPECT_EQ(numbers, (std::set<std::string>{"001", "002", "003", "004", "005"})) << "each number once";
    EXPECT_TRUE(std::filesystem::exists(PathOf("005.MOV")) || order != NumberingOrder::kName) << "its own extension";
    EXPECT_TRUE(std::filesystem::exists(PathOf("001.JPG.xmp")) || order != NumberingOrder::kName);
    EXPECT_TRUE(std::filesystem::exists(PathOf("._001.JPG")) || order != NumberingOrder::kName);
    EXPECT_TRUE(std::filesystem::exists(PathOf("notes.txt")));
    EXPECT_TRUE(UndoRenames(root_.string()).succeeded);
    EXPECT_EQ(TakeSnapshot(root_), before);
  }
}

TEST_F(PlannedRenamesTest, WhatAGroupCannotBecomeIsRefusedBeforeAnythingChanges) {
  const std::string longRest(253, 'x');
  const struct {
    Names files;
    Names kinds;
    int viewAfterRun;
    std::string refusal;  // a part of the message
  } rows[] = {
      {{"a.jpg", "a." + longRest}, {}, 0, "The companion \"a." + longRest + "\" would get a name of 256 bytes"},
      {{"a.jpg", "a.\nx"}, {}, 0, "The name \"a.\nx\" holds a line break"},
      {{"a.jpg", "b.png"}, {"png"}, 1, "cannot be made when several kinds are numbered together"},
      {{"a.jpg", "b.heic"}, {"he/ic"}, 0, "\"he/ic\" is no kind to number"},
  };
  for (const auto& row : rows) {
    TearDown();
    SetUp();
    TouchAll(row.files);
    if (Entries().size() != row.files.size()) continue;  // a name this system cannot hold (a line break)
    const Snapshot before = TakeSnapshot(root_);
    HeadlessDialogWindow rowWindow;
    RenumberDialog run{rowWindow, launcher};
    run.options.kinds = row.kinds;
    run.options.pathText = PathOf("a.jpg");
    run.options.digitsText = "2";
    run.options.keepLog = 1;
    run.options.viewAfterRun = row.viewAfterRun;
    EXPECT_EQ(run.RunOnFields(), RunOutcome::kFailed) << row.refusal;
    ASSERT_EQ(rowWindow.MessageTexts().size(), 1u) << row.refusal;
    EXPECT_NE(rowWindow.MessageTexts()[0].find(row.refusal), std::string::npos) << rowWindow.MessageTexts()[0];
    EXPECT_EQ(TakeSnapshot(root_), before);
  }
  // JPG and GIF pages may be made together.
  TouchAll({"a.jpg", "b.gif"});
  dialog.options.kinds = {"gif"};
  dialog.options.pathText = PathOf("a.jpg");
  dialog.options.viewAfterRun = 1;
  EXPECT_EQ(dialog.RunOnFields(), RunOutcome::kSucceeded);
}

}  // namespace
