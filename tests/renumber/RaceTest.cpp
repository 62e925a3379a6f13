// Another program takes the names a run is about to use, while it runs:
// nothing is ever overwritten, and the run either gives every entry a free
// name or says what it could not do.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>

#include "tests/support/HeadlessDialogWindow.h"
#include "renumber/ControlIds.h"
#include "renumber/RenumberDialog.h"
#include "tests/support/DirectoryReplay.h"
#include "tests/support/FaultyFileServices.h"
#include "tests/support/RecordingLauncher.h"
#include "tests/support/TempDir.h"

namespace {

class RaceTest : public TempDirTest {
 protected:
  // A process that keeps taking the name just after the first free number,
  // the one the run takes next, without ever replacing a file itself: each
  // file is written whole aside, then linked in under its name (a link never
  // replaces). It writes each name it took to `record`; the k-th file it
  // makes holds its number and " #k", so each of its files is one of a kind
  // even when the run, planning anew, has moved an earlier one away.
  pid_t StartRacer(const std::string& record) {
    const pid_t racer = fork();
    if (racer != 0) return racer;
    const int taken = open(record.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    const std::string aside = root_.string() + ".aside";
    for (long number = 1, made = 0; made < 400;) {
      char name[64];
      std::snprintf(name, sizeof name, "%s%05ld.jpg", Dir().c_str(), number);
      if (access(name, F_OK) == 0) {
        ++number;
        continue;
      }
      std::snprintf(name, sizeof name, "%s%05ld.jpg", Dir().c_str(), number + 1);
      std::ofstream(aside) << kRacerContent << number + 1 << " #" << made;
      if (link(aside.c_str(), name) == 0) {
        if (write(taken, name, std::strlen(name)) < 0 || write(taken, "\n", 1) < 0) {
        }
        ++made;
      }
      unlink(aside.c_str());
    }
    _exit(0);
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
  const pid_t racer = StartRacer(record);
  const RunOutcome outcome = dialog.RunRenumber();
  kill(racer, SIGKILL);
  waitpid(racer, nullptr, 0);

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
