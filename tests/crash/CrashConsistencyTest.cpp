// tarvine-renumber --log killed with SIGKILL at a random moment, over fresh
// and already-numbered directories whose pictures have companions: afterwards no file is lost or doubled,
// renum.log holds every rename that happened, and --undo gives every file
// its first name back.
//
// TARVINE_CRASH_KILLS and TARVINE_CRASH_FILES set the size (make stress runs
// 100 kills of 2,000 files); TARVINE_CRASH_SEED makes a run repeatable.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "tests/support/ChildProcess.h"
#include "tests/support/DirectoryReplay.h"
#include "tests/support/FileLinks.h"
#include "tests/support/TestSystem.h"
#include "tests/support/TempDir.h"

namespace {

int Setting(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

class CrashConsistencyTest : public TempDirTest {
 protected:
  // Starts the program in the test directory, its output discarded.
  std::unique_ptr<ChildProcess> Start(const std::vector<std::string>& arguments) {
    return std::make_unique<ChildProcess>(TARVINE_RENUMBER_BINARY, arguments, root_.string());
  }
  static int Wait(const std::unique_ptr<ChildProcess>& child) { return child->Wait(); }

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
    // Some pictures have a raw and a sidecar, which take their numbers.
    for (int i = 0; i < count; ++i) {
      const std::string stem = names[i].substr(0, names[i].size() - 4);
      if (random() % 3 == 0) names.push_back(stem + ".CR2");
      if (random() % 3 == 0) names.push_back(names[i] + ".xmp");
    }
    std::shuffle(names.begin(), names.end(), random);
    for (const auto& name : names) {
      std::string content(16 + random() % 48, '\0');
      for (char& c : content) c = static_cast<char>(random());
      Touch(name, content);
    }
    for (const auto& name : names) {
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".jpg") == 0) return name;
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
  // Wine makes files far more slowly: fewer and smaller rounds there.
  const int kills = Setting("TARVINE_CRASH_KILLS", RunningUnderWine() ? 4 : 20);
  const int files = Setting("TARVINE_CRASH_FILES", RunningUnderWine() ? 200 : 300);
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

    const auto run = Start({"-q", "--log", "-d", "5", named});
    const double delay = std::uniform_real_distribution<double>(0, wholeRun[numberedBefore] * 1.1)(random);
    std::this_thread::sleep_for(std::chrono::duration<double>(delay));
    run->Kill();
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
    // No picture is called "w", so "w.*g" is nobody's companion and must
    // keep its name. Windows refuses some of these names ("*", "?", a tab, "\\"): those
    // that cannot be made are left out there.
    TouchAll({"a b.jpg", "x.JPG", "caf\xc3\xa9.jpg", "*.jpg", "?.jpg", "-p.jpg", "back\\slash.jpg", "100%s.jpg",
              "t\tab.jpg", "w.*g", "notes.txt"});
    const std::string oddExtension = std::filesystem::exists(PathOf("w.*g")) ? "w.*g" : "notes.txt";
    MakeDir("dir.jpg");
    if (!MakeSymbolicLink((outside / "victim.txt").string(), PathOf("link.jpg"))) GTEST_SKIP() << kNoSymbolicLinks;
    ASSERT_TRUE(MakeSymbolicLink((outside / "victim.txt").string(), PathOf("KavoViewer.html")));
    // Companions that are a directory and a link out: renamed, never followed.
    MakeDir("x.JPG.d");
    ASSERT_TRUE(MakeSymbolicLink((outside / "victim.txt").string(), PathOf("x.link")));
    ASSERT_TRUE(MakeHardLink((outside / "hard.jpg").string(), PathOf("hard.jpg")));
    const Snapshot before = TakeSnapshot(root_);

    // The stand-in viewer records nothing without TARVINE_ARGUMENT_RECORD.
    const std::vector<std::string> run = {"-q", "--log", "--slideshow", "--viewer", TARVINE_RECORD_ARGUMENTS, "-d", "4",
                                          "x.JPG"};
    const auto first = Start(run);
    for (int wait = 0; wait < 20000 && !std::filesystem::exists(PathOf("renum.log")); ++wait) {
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
    EXPECT_TRUE(std::filesystem::exists(PathOf("notes.txt")) && std::filesystem::exists(PathOf(oddExtension)));
    if (second != 0) {
      ASSERT_EQ(Wait(Start({"--undo", "."})), 0);
      EXPECT_EQ(TakeSnapshot(root_), before) << "undo did not restore every name";
    }
    std::filesystem::remove_all(outside);
  }
  std::printf("%d rounds, %d second runs refused while the first worked\n", rounds, refused);
}

}  // namespace
