// tarvine-renumber --log killed with SIGKILL at a random moment, over fresh
// and already-numbered directories: afterwards no file is lost or doubled,
// renum.log holds every rename that happened, and --undo gives every file
// its first name back.
//
// TARVINE_CRASH_KILLS and TARVINE_CRASH_FILES set the size (make stress runs
// 100 kills of 2,000 files); TARVINE_CRASH_SEED makes a run repeatable.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "tests/support/DirectoryReplay.h"
#include "tests/support/TempDir.h"

namespace {

int Setting(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

class CrashConsistencyTest : public TempDirTest {
 protected:
  // Starts the program in the test directory; returns its process.
  pid_t Start(const std::vector<std::string>& arguments) {
    std::vector<char*> argv{const_cast<char*>(TARVINE_RENUMBER_BINARY)};
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      if (chdir(root_.c_str()) != 0) _exit(126);
      const int devNull = open("/dev/null", O_RDWR);
      dup2(devNull, 0);
      dup2(devNull, 1);
      dup2(devNull, 2);
      execv(argv[0], argv.data());
      _exit(127);
    }
    return child;
  }
  int Wait(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // A directory of `count` files with random contents: a camera dump, or one
  // numbered before with a few new pictures. Returns the file to name.
  std::string Fill(int count, bool numberedBefore, std::mt19937& random) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
      char name[32];
      if (numberedBefore && i <= count * 4 / 5) {
        std::snprintf(name, sizeof name, "%05d.jpg", i);
      } else {
        std::snprintf(name, sizeof name, "IMG_%06d.jpg", i);
      }
      names.push_back(name);
    }
    std::shuffle(names.begin(), names.end(), random);
    for (const auto& name : names) {
      std::string content(16 + random() % 48, '\0');
      for (char& c : content) c = static_cast<char>(random());
      Touch(name, content);
    }
    return names.front();
  }

  double SecondsOfAWholeRun(int files, bool numberedBefore, std::mt19937& random) {
    const std::string named = Fill(files, numberedBefore, random);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Wait(Start({"-q", "--log", "-d", "5", named})), 0);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    TearDown();
    SetUp();
    return seconds;
  }
};

TEST_F(CrashConsistencyTest, AKilledRunLosesNothingAndCanBeUndone) {
  const int kills = Setting("TARVINE_CRASH_KILLS", 20);
  const int files = Setting("TARVINE_CRASH_FILES", 300);
  const unsigned seed = static_cast<unsigned>(Setting("TARVINE_CRASH_SEED", static_cast<int>(time(nullptr))));
  std::mt19937 random(seed);
  SCOPED_TRACE("TARVINE_CRASH_SEED=" + std::to_string(seed));

  const double wholeRun[2] = {SecondsOfAWholeRun(files, false, random), SecondsOfAWholeRun(files, true, random)};
  int killedMidRun = 0;
  for (int kill = 0; kill < kills; ++kill) {
    TearDown();
    SetUp();
    const bool numberedBefore = kill % 2 == 1;
    const std::string named = Fill(files, numberedBefore, random);
    const Snapshot before = TakeSnapshot(root_);

    const pid_t run = Start({"-q", "--log", "-d", "5", named});
    const double delay = std::uniform_real_distribution<double>(0, wholeRun[numberedBefore] * 1.1)(random);
    std::this_thread::sleep_for(std::chrono::duration<double>(delay));
    ::kill(run, SIGKILL);
    if (Wait(run) == -1) ++killedMidRun;

    SCOPED_TRACE("kill " + std::to_string(kill) + " after " + std::to_string(delay) + " s");
    const Snapshot afterKill = TakeSnapshot(root_);
    ASSERT_EQ(Contents(afterKill), Contents(before)) << "a file was lost or doubled";
    const bool logged = std::filesystem::exists(PathOf("renum.log"));
    if (!logged) {
      ASSERT_EQ(afterKill, before) << "renames without a log";
      continue;
    }
    ASSERT_EQ(Replay(before, Read("renum.log"), afterKill), afterKill) << "the log does not tell what happened";

    ASSERT_EQ(Wait(Start({"--undo", "."})), 0);
    ASSERT_EQ(TakeSnapshot(root_), before) << "undo did not restore every name";
  }
  std::printf("%d kills over %d files, %d of them mid-run, seed %u\n", kills, files, killedMidRun, seed);
}

// A directory as someone who wants to hurt its owner would leave it: odd
// names, links out of it, a second name of an outside file, planted page
// names, and a second run started while the first works. Nothing outside is
// touched, nothing is lost, and undo gives every file its first name back.
TEST_F(CrashConsistencyTest, AHostileDirectoryLosesNothingOutsideOrInsideAndCanBeUndone) {
  const int rounds = Setting("TARVINE_CRASH_KILLS", 20) / 4;
  const std::filesystem::path outside = root_.string() + "-outside";
  int refused = 0;
  for (int round = 0; round < rounds; ++round) {
    TearDown();
    SetUp();
    std::filesystem::create_directory(outside);
    std::ofstream(outside / "victim.txt") << "victim";
    std::ofstream(outside / "hard.jpg") << "hard";
    std::mt19937 random(static_cast<unsigned>(round));
    Fill(800, round % 2 == 1, random);
    TouchAll({"a b.jpg", "x.JPG", "caf\xc3\xa9.jpg", "*.jpg", "?.jpg", "-p.jpg", "back\\slash.jpg", "100%s.jpg",
              "t\tab.jpg", "x.*g", "notes.txt"});
    MakeDir("dir.jpg");
    ASSERT_EQ(symlink((outside / "victim.txt").c_str(), PathOf("link.jpg").c_str()), 0);
    ASSERT_EQ(symlink((outside / "victim.txt").c_str(), PathOf("KavoViewer.html").c_str()), 0);
    ASSERT_EQ(link((outside / "hard.jpg").c_str(), PathOf("hard.jpg").c_str()), 0);
    const Snapshot before = TakeSnapshot(root_);

    const std::vector<std::string> run = {"-q", "--log", "--slideshow", "--viewer", "true", "-d", "4", "x.JPG"};
    const pid_t first = Start(run);
    while (!std::filesystem::exists(PathOf("renum.log")) && waitpid(first, nullptr, WNOHANG) == 0) {
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    const int second = Wait(Start(run));
    refused += second != 0;
    ASSERT_EQ(Wait(first), 0);
    SCOPED_TRACE("round " + std::to_string(round) + (second == 0 ? ", the second run after the first" : ""));

    std::ifstream victim(outside / "victim.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(victim), {}), "victim");
    std::ifstream hard(outside / "hard.jpg");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(hard), {}), "hard");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(outside), {}), 2) << "nothing new outside";
    EXPECT_EQ(Contents(TakeSnapshot(root_)), Contents(before)) << "a file was lost or doubled";
    EXPECT_TRUE(std::filesystem::exists(PathOf("notes.txt")) && std::filesystem::exists(PathOf("x.*g")));
    if (second != 0) {
      ASSERT_EQ(Wait(Start({"--undo", "."})), 0);
      EXPECT_EQ(TakeSnapshot(root_), before) << "undo did not restore every name";
    }
    std::filesystem::remove_all(outside);
  }
  std::printf("%d rounds, %d second runs refused while the first worked\n", rounds, refused);
}

}  // namespace
