// Another program takes the names a run is about to use, while it runs:
// nothing is ever overwritten, and the run either gives every entry a free
// name or says what it could not do.

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>

#include "tests/support/HeadlessDialogWindow.h"
#include "renumber/ControlIds.h"
#include "renumber/RenumberDialog.h"
#include "tests/support/DirectoryReplay.h"
#include "tests/support/FaultyFileServices.h"
#include "tests/support/FileLinks.h"
#include "tests/support/RecordingLauncher.h"
#include "tests/support/TempDir.h"

namespace {

class RaceTest : public TempDirTest {
 protected:
  // Another program, here a thread of the test's own, that keeps taking the
  // name just after the first free number, the one the run takes next,
  // without ever replacing a file itself: each file is written whole aside,
  // then linked in under its name (a link never replaces). It writes each
  // name it took to `record`, until it has made 400 or `stop` is set. The
  // k-th file it makes holds its number and " #k", so each of its files is one
  // of a kind even when the run, planning anew, has moved an earlier one away.
  static void Race(const std::string& directory, const std::string& record, const std::atomic<bool>& stop) {
    std::ofstream taken(record, std::ios::app);
    const std::string aside = directory.substr(0, directory.size() - 1) + ".aside";
    for (long number = 1, made = 0; made < 400 && !stop;) {
      char name[64];
      std::snprintf(name, sizeof name, "%s%05ld.jpg", directory.c_str(), number);
      std::error_code ignored;
      if (std::filesystem::exists(name, ignored)) {
        ++number;
        continue;
      }
      std::snprintf(name, sizeof name, "%s%05ld.jpg", directory.c_str(), number + 1);
      std::ofstream(aside) << kRacerContent << number + 1 << " #" << made;
      if (MakeHardLink(aside, name)) {
        taken << name << "\n" << std::flush;
        ++made;
      }
      std::filesystem::remove(aside, ignored);
    }
  }

  static constexpr char kRacerContent[] = "taken by the racer: ";
};

TEST_F(RaceTest, NamesTakenDuringTheRunAreNeverOverwritten) {
  for (int i = 0; i < 1500; ++i) Touch("IMG_" + std::to_string(i) + ".jpg", "picture " + std::to_string(i));
  const Snapshot before = TakeSnapshot(root_);
  const std::string record = root_.string() + ".racer";

  HeadlessDialogWindow window;
  RecordingLauncher launcher;
  RenumberDialog dialog(window, launcher);
  dialog.UpdateData(0);
  window.SetDlgItemText(kPathField, PathOf("IMG_0.jpg").c_str());
  window.CheckDlgButton(kKeepLogBox, 1);
  window.CheckDlgButton(kViewAfterRunBox, 0);

  FaultyFileServices files;  // only counts the names found taken at the rename
  ScopedFileServices filesInForce(files);
  std::atomic<bool> stop{false};
  std::thread racer(Race, Dir(), record, std::cref(stop));
  const RunOutcome outcome = dialog.RunRenumber();
  stop = true;
  racer.join();

  std::filesystem::remove(root_.string() + ".aside");

  // Every picture is there once, and so is every file the racer made, whole.
  const Snapshot after = TakeSnapshot(root_);
  std::multiset<std::string> expected = Contents(before);
  for (const auto& [name, content] : after) {
    if (content.rfind(kRacerContent, 0) == 0) expected.insert(content);
  }
  EXPECT_EQ(Contents(after), expected);
  std::set<std::string> distinct;
  for (const auto& [name, content] : after) EXPECT_TRUE(distinct.insert(content).second) << "doubled: " << content;
  std::ifstream taken(record);
  int racerFiles = 0;
  for (std::string name; std::getline(taken, name); ++racerFiles) {
    const std::string content = kRacerContent + std::to_string(std::atol(name.c_str() + name.size() - 9)) + " #" +
                                std::to_string(racerFiles);
    EXPECT_EQ(std::count_if(after.begin(), after.end(), [&](const auto& file) { return file.second == content; }), 1)
        << name;
  }
  taken.close();
  std::filesystem::remove(record);
  EXPECT_GT(racerFiles, 0);
  std::printf("the racer took %d names; %d renames met a name taken after its test\n", racerFiles,
              files.takenAtRename);

  if (outcome == RunOutcome::kSucceeded) {
    EXPECT_EQ(window.ItemText(kStatusLine), "Done.");
  } else {
    ASSERT_FALSE(window.Messages().empty()) << "a failure is told";
    EXPECT_EQ(window.ItemText(kStatusLine), "Error.");
  }
}

}  // namespace
