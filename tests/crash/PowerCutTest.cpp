// The power cut a laptop's battery makes: tarvine-renumber --log (or its
// --undo) on a real ext4 file system on a loop device, mounted with
// commit=1, is stopped with SIGSTOP at a random moment; after two seconds,
// in which the kernel commits its journal as it does on its own, the image
// file is copied as the disk holds it, with whatever the kernel had not yet
// written lost. The copy, mended by e2fsck -fy and mounted, must have lost no
// file, and --undo must give every file its first name back.
//
// Needs root and loop devices (CI has both); elsewhere it says so and skips.
// TARVINE_POWER_CUTS sets the rounds (4 by default: each row of the table
// once; make stress runs 40, 20 runs and 20 undos), TARVINE_POWER_CUT_FILES
// the pictures per round, TARVINE_CRASH_SEED makes a run repeatable.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

int Setting(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

// Runs a shell command quietly: true when it exited with 0 (or, with
// `acceptUpTo`, at most that status: e2fsck's 1 and 2 mean "mended").
bool Shell(const std::string& command, int acceptUpTo = 0) {
  const int status = std::system(("{ " + command + "; } >/dev/null 2>&1").c_str());
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) <= acceptUpTo;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// A file system image mounted at a directory for as long as this lives,
// the loop device let go with it (mount's autoclear).
class Mounted {
 public:
  Mounted(const fs::path& image, const fs::path& at, const std::string& options) : at_(at) {
    fs::create_directories(at);
    mounted_ = Shell("mount -o loop," + options + " " + Quoted(image) + " " + Quoted(at));
  }
  ~Mounted() {
    if (mounted_ && !Shell("umount " + Quoted(at_))) Shell("umount -l " + Quoted(at_));
  }
  Mounted(const Mounted&) = delete;
  Mounted& operator=(const Mounted&) = delete;
  bool ok() const { return mounted_; }

 private:
  fs::path at_;
  bool mounted_ = false;
};

// The program started in the background, killed and reaped whatever ends the
// round.
class Started {
 public:
  explicit Started(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(TARVINE_RENUMBER_BINARY));
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid_, TARVINE_RENUMBER_BINARY, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~Started() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;

  // Stops the process where it is; false when it had ended already.
  bool Stop() {
    if (pid_ <= 0 || waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return false;
    }
    kill(pid_, SIGSTOP);
    return true;
  }

 private:
  pid_t pid_ = -1;
};

// A picture's content is its first name, so a file tells which it is.
std::map<std::string, std::string> NamesAndContents(const fs::path& directory) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(directory)) {
    const std::string name = entry.path().filename().string();
    if (name == "renum.log" || name == "renum.ids" || name == "lost+found") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    files[name] = content.str();
  }
  return files;
}

class PowerCutTest : public TempDirTest {};

TEST_F(PowerCutTest, AStoppedRunOrUndoLeavesADiskWhoseUndoRestoresEveryName) {
  if (geteuid() != 0) GTEST_SKIP() << "a power cut needs root, to mount a file system image";
  if (!fs::exists("/dev/loop-control")) GTEST_SKIP() << "no loop devices here (/dev/loop-control is missing)";
  if (!Shell("command -v mkfs.ext4 && command -v e2fsck")) GTEST_SKIP() << "mkfs.ext4 or e2fsck is missing";

  struct Round {
    const char* what;
    bool numberedBefore;  // the directory was numbered before, with new pictures among the numbers
    bool undo;            // the undo of a whole run is cut, not the run
  };
  const Round table[] = {
      {"a run over a camera dump", false, false},
      {"a run over a numbered directory", true, false},
      {"the undo of a camera dump's run", false, true},
      {"the undo of a numbered directory's run", true, true},
  };
  const int rounds = Setting("TARVINE_POWER_CUTS", 4);
  const int files = Setting("TARVINE_POWER_CUT_FILES", 3000);
  const unsigned seed = static_cast<unsigned>(Setting("TARVINE_CRASH_SEED", static_cast<int>(time(nullptr))));
  SCOPED_TRACE("TARVINE_CRASH_SEED=" + std::to_string(seed));
  std::mt19937 random(seed);
  double wholeRun = 0.3;  // seconds
  int cutMidway = 0;
  long renamedAtCuts = 0;

  for (int number = 0; number < rounds; ++number) {
    const Round& round = table[number % std::size(table)];
    SCOPED_TRACE(std::string("round ") + std::to_string(number) + ": " + round.what);
    const fs::path image = root_ / "disk.img", copy = root_ / "copy.img";
    const fs::path disk = root_ / "disk", after = root_ / "after";
    fs::remove(image);
    fs::remove(copy);
    ASSERT_TRUE(Shell("truncate -s 96M " + Quoted(image) + " && mkfs.ext4 -q -F -N " +
                      std::to_string(files + 1000) + " " + Quoted(image)));
    std::map<std::string, std::string> before;
    {
      Mounted mounted(image, disk, "commit=1");
      ASSERT_TRUE(mounted.ok()) << "the image could not be mounted";
      const fs::path pictures = disk / "pics";
      fs::create_directory(pictures);
      for (int i = 1; i <= files; ++i) {
        char name[32];
        // Numbered before: every third number gone, new pictures in their place.
        if (round.numberedBefore && i % 3 != 0) {
          std::snprintf(name, sizeof name, "%05d.jpg", i);
        } else {
          std::snprintf(name, sizeof name, "IMG_%06u.jpg", static_cast<unsigned>(random() % 1000000));
        }
        if (fs::exists(pictures / name)) continue;
        std::ofstream(pictures / name, std::ios::binary) << name;
      }
      before = NamesAndContents(pictures);
      const std::string named = (pictures / before.begin()->first).string();
      if (round.undo) {
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(RunProgram(TARVINE_RENUMBER_BINARY, {"-q", "--log", "-d", "5", named}, root_.string()), 0);
        wholeRun = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      }
      ASSERT_TRUE(Shell("sync"));  // what the round starts from is on the disk

      // The cut: anywhere in the time a whole run took last (a guess before
      // the first was timed), and a little after it.
      std::vector<std::string> arguments = {"-q", "--log", "-d", "5", named};
      if (round.undo) arguments = {"--undo", pictures.string()};
      Started program(arguments);
      std::this_thread::sleep_for(std::chrono::duration<double>(
          std::uniform_real_distribution<double>(0, wholeRun * 1.1)(random)));
      cutMidway += program.Stop() ? 1 : 0;
      std::this_thread::sleep_for(std::chrono::seconds(2));
      ASSERT_TRUE(Shell("cp --sparse=always " + Quoted(image) + " " + Quoted(copy)));
    }

    ASSERT_TRUE(Shell("e2fsck -fy " + Quoted(copy), 2)) << "e2fsck could not mend the copy";
    Mounted mounted(copy, after, "rw");
    ASSERT_TRUE(mounted.ok()) << "the mended copy could not be mounted";
    const fs::path pictures = after / "pics";
    std::map<std::string, std::string> cut = NamesAndContents(pictures);
    std::multiset<std::string> contents, firstNames;
    for (const auto& [name, content] : cut) {
      contents.insert(content);
      renamedAtCuts += name != content ? 1 : 0;
    }
    for (const auto& [name, content] : before) firstNames.insert(content);
    ASSERT_EQ(contents, firstNames) << "no file lost or doubled";

    if (fs::exists(pictures / "renum.log")) {
      const int status = RunProgram(TARVINE_RENUMBER_BINARY, {"--undo", pictures.string()}, root_.string());
      EXPECT_EQ(status, 0) << "undo after the cut";
    }
    for (const auto& [name, content] : NamesAndContents(pictures)) {
      ASSERT_EQ(name, content) << "undo gave every file its first name back";
    }
  }
  std::printf("%d rounds, %d cut mid-way; %ld files were under new names at the cuts, every one restored\n", rounds,
              cutMidway, renamedAtCuts);
}

}  // namespace
