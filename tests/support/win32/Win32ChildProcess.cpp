#include <windows.h>

#include "platform/os/win32/CommandLineQuoting.h"
#include "platform/os/win32/WideText.h"
#include "tests/support/ChildProcess.h"

namespace {

// A handle the child inherits: the file (created afresh), or the null device.
HANDLE InheritedOutput(const std::string& path) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(path.empty() ? L"NUL" : Widen(path).c_str(), GENERIC_WRITE,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& directory, const std::string& outPath, const std::string& errPath) {
  const std::wstring file = Widen(program);
  std::wstring commandLine = QuotedArgument(file);
  for (const std::string& argument : arguments) commandLine += L" " + QuotedArgument(Widen(argument));
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE input = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                             nullptr);
  HANDLE output = InheritedOutput(outPath);
  HANDLE errors = InheritedOutput(errPath);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = errors;
  PROCESS_INFORMATION started{};
  const std::wstring workingDirectory = Widen(directory);
  // Detached: the child gets no console, so no console host is started for
  // it. Under Wine the host of a child killed while it starts lives on,
  // holding the test's own error output, and ctest waits on it to the end.
  if (CreateProcessW(file.c_str(), commandLine.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                     workingDirectory.c_str(), &startup, &started)) {
    CloseHandle(started.hThread);
    process_ = reinterpret_cast<intptr_t>(started.hProcess);
  }
  for (HANDLE handle : {input, output, errors}) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
}

ChildProcess::~ChildProcess() {
  if (process_ == -1) return;
  if (!waited_) {
    Kill();
    Wait();
  }
  CloseHandle(reinterpret_cast<HANDLE>(process_));
}

void ChildProcess::Kill() {
  if (process_ != -1 && !waited_ && TerminateProcess(reinterpret_cast<HANDLE>(process_), 137)) killed_ = true;
}

int ChildProcess::Wait() {
  if (waited_ || process_ == -1) return status_;
  HANDLE process = reinterpret_cast<HANDLE>(process_);
  // A program of the tests ends within seconds; one that has not after a
  // minute is ended (Wine can lose a process killed while it starts), so a
  // test fails rather than hangs.
  for (int attempt = 0; attempt < 3 && WaitForSingleObject(process, 60000) == WAIT_TIMEOUT; ++attempt) {
    if (TerminateProcess(process, 137)) killed_ = true;
  }
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  waited_ = true;
  status_ = killed_ && code == 137 ? -1 : static_cast<int>(code);
  return status_;
}
