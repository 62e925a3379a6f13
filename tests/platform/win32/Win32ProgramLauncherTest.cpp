// Starting the viewer on Windows: its one argument arrives exactly, spaces,
// quotes and a trailing backslash included; a program that is not there is
// told as such.

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/os/ProgramLauncher.h"
#include "platform/os/win32/CommandLineQuoting.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempDir.h"

namespace {

TEST(QuotedArgument, ReadsBackAsTheSameArgument) {
  struct Case {
    const wchar_t* argument;
    const wchar_t* quoted;
  };
  const Case cases[] = {
      {L"C:\\pics\\KavoViewer.html", L"\"C:\\pics\\KavoViewer.html\""},
      {L"a b", L"\"a b\""},
      {L"C:\\dir\\", L"\"C:\\dir\\\\\""},
      {L"say \"hi\"", L"\"say \\\"hi\\\"\""},
      {L"a\\\\\"b", L"\"a\\\\\\\\\\\"b\""},
      {L"", L"\"\""},
  };
  for (const Case& c : cases) EXPECT_EQ(QuotedArgument(c.argument), c.quoted);
}

class Win32ProgramLauncherTest : public TempDirTest {
 protected:
  std::vector<std::string> Recorded() {
    const std::string record = PathOf("record");
    for (int i = 0; i < 200 && !std::filesystem::exists(record); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::vector<std::string> lines;
    std::ifstream in(record);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

TEST_F(Win32ProgramLauncherTest, TheViewerGetsThePageAsItsOneArgument) {
  const ScopedEnvironment record("TARVINE_ARGUMENT_RECORD", PathOf("record"));
  Win32ProgramLauncher launcher;
  const std::string page = "C:\\my \"odd\" pics\\caf\xc3\xa9\\KavoViewer.html";
  ASSERT_EQ(launcher.Start(TARVINE_RECORD_ARGUMENTS, page.c_str()), 0);
  EXPECT_EQ(Recorded(), (std::vector<std::string>{"1", page}));
}

TEST_F(Win32ProgramLauncherTest, AMissingProgramIsNoSuchFile) {
  Win32ProgramLauncher launcher;
  EXPECT_EQ(launcher.Start("tarvine-no-such-viewer", "a.html"), ENOENT);
  EXPECT_EQ(launcher.Start(PathOf("missing.exe").c_str(), "a.html"), ENOENT);
  // A program in the working directory is never the one started.
  std::filesystem::copy_file(TARVINE_RECORD_ARGUMENTS, PathOf("planted.exe"));
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(root_);
  EXPECT_EQ(launcher.Start("planted", "a.html"), ENOENT);
  std::filesystem::current_path(previous);
}

}  // namespace
