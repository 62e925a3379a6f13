#include <windows.h>
#include <shellapi.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/os/PathSeparators.h"
#include "platform/os/ProgramLauncher.h"
#include "platform/os/win32/CommandLineQuoting.h"
#include "platform/os/win32/Win32Errors.h"
#include "platform/os/win32/WideText.h"

const char kDefaultViewer[] = "open";

namespace {

// ShellExecuteW's result: above 32 when the page was handed to its program.
int ShellResultErrno(intptr_t result) {
  if (result > 32) return 0;
  switch (result) {
    case 0:
    case SE_ERR_OOM: return ENOMEM;
    case SE_ERR_FNF:
    case SE_ERR_PNF: return ENOENT;
    case SE_ERR_ACCESSDENIED: return EACCES;
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE: return ENOEXEC;  // no program opens such pages
    default: return EIO;
  }
}

// The program's file: a path as given, a bare name looked up along PATH
// only, so a program planted in the working directory is never the one
// started. Empty when there is none.
std::wstring ProgramFile(const char* program) {
  bool hasSeparator = false;
  for (const char* p = program; *p; ++p) hasSeparator = hasSeparator || IsPathSeparator(*p) || *p == ':';
  if (hasSeparator) return Widen(program);
  const DWORD pathRoom = GetEnvironmentVariableW(L"PATH", nullptr, 0);
  if (pathRoom == 0) return L"";
  std::wstring searchPath(pathRoom, L'\0');
  searchPath.resize(GetEnvironmentVariableW(L"PATH", searchPath.data(), pathRoom));
  const std::wstring name = Widen(program);
  wchar_t found[32768];
  const DWORD length = SearchPathW(searchPath.c_str(), name.c_str(), L".exe", 32768, found, nullptr);
  return length > 0 && length < 32768 ? std::wstring(found, length) : L"";
}

}  // namespace

int Win32ProgramLauncher::Start(const char* program, const char* argument) {
  const std::wstring page = Widen(argument);
  if (std::strcmp(program, kDefaultViewer) == 0) {
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", page.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
    return ShellResultErrno(reinterpret_cast<intptr_t>(result));
  }
  const std::wstring file = ProgramFile(program);
  if (file.empty()) return ENOENT;
  std::wstring commandLine = QuotedArgument(file) + L" " + QuotedArgument(page);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMAXIMIZED;
  PROCESS_INFORMATION started{};
  // No handle is inherited, so the viewer holds none of the caller's (a
  // run lock among them); it runs on after the caller ends.
  if (!CreateProcessW(file.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_NEW_PROCESS_GROUP | CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup, &started)) {
    return LastErrno();
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return 0;
}

ProgramLauncher& SystemLauncher() {
  static Win32ProgramLauncher launcher;
  return launcher;
}
