#include "platform/os/ProgramLauncher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <thread>

#include "tests/support/TempDir.h"

namespace {

class ProgramLauncherTest : public TempDirTest {
 protected:
  // A viewer that writes down its arguments, where its standard streams
  // lead and which session it runs in.
  std::string FakeViewer() {
    const std::string script = PathOf("fake viewer");
    std::ofstream(script) << "#!/bin/sh\n"
                          << "in=$(readlink /proc/$$/fd/0); out=$(readlink /proc/$$/fd/1)\n"
                          << "err=$(readlink /proc/$$/fd/2); sid=$(cut -d' ' -f6 /proc/$$/stat)\n"
                          << "{ echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done;"
                          << " echo \"$in\"; echo \"$out\"; echo \"$err\"; echo \"$sid\"; } > '"
                          << PathOf("record.tmp") << "'\n"
                          << "mv '" << PathOf("record.tmp") << "' '" << PathOf("record") << "'\n";
    chmod(script.c_str(), 0755);
    return script;
  }

  std::vector<std::string> WaitForRecord() {
    for (int i = 0; i < 200 && !std::filesystem::exists(PathOf("record")); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::vector<std::string> lines;
    std::ifstream in(PathOf("record"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

TEST_F(ProgramLauncherTest, StartsTheProgramWithExactlyOneArgumentDetached) {
  const std::string page = PathOf("my pics; $(touch x)/KavoViewer.html");
  PosixProgramLauncher launcher;
  EXPECT_EQ(launcher.Start(FakeViewer().c_str(), page.c_str()), 0);

  int status;
  EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1) << "no child is left to reap";
  EXPECT_EQ(errno, ECHILD);

  const std::vector<std::string> record = WaitForRecord();
  ASSERT_EQ(record.size(), 6u);
  EXPECT_EQ(record[0], "1");
  EXPECT_EQ(record[1], page);
  EXPECT_EQ(record[2], "/dev/null");
  EXPECT_EQ(record[3], "/dev/null");
  EXPECT_EQ(record[4], "/dev/null");
  EXPECT_NE(record[5], std::to_string(getsid(0))) << "the viewer has a session of its own";
  EXPECT_FALSE(std::filesystem::exists(PathOf("x"))) << "nothing in the path was executed";
}

TEST_F(ProgramLauncherTest, AProgramThatCannotStartIsReportedWithItsReason) {
  PosixProgramLauncher launcher;
  EXPECT_EQ(launcher.Start(PathOf("no such viewer").c_str(), "page.html"), ENOENT);
  EXPECT_EQ(launcher.Start("tarvine-no-such-program-on-path", "page.html"), ENOENT);
  Touch("not a program", "plain text");
  EXPECT_EQ(launcher.Start(PathOf("not a program").c_str(), "page.html"), EACCES);
  int status;
  EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
}

}  // namespace
