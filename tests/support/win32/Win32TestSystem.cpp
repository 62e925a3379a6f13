// The test support's system calls on Windows.

#include <windows.h>

#include <cstdlib>

#include "platform/os/win32/WideText.h"
#include "tests/support/FileLinks.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestSystem.h"

#ifndef SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
#define SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE 0x2
#endif

void SetEnvironment(const char* name, const char* value) {
  // An empty value removes the variable from the C library's environment.
  _putenv_s(name, value ? value : "");
  SetEnvironmentVariableW(Widen(name).c_str(), value ? Widen(value).c_str() : nullptr);
}

bool MakeHardLink(const std::string& existing, const std::string& name) {
  return CreateHardLinkW(Widen(name).c_str(), Widen(existing).c_str(), nullptr) != 0;
}

bool MakeSymbolicLink(const std::string& target, const std::string& name) {
  // Wine makes a link of the build machine's, which its directory search
  // hides when it dangles and its file functions follow: no Windows link.
  if (RunningUnderWine()) return false;
  return CreateSymbolicLinkW(Widen(name).c_str(), Widen(target).c_str(),
                             SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0;
}

bool MakePipeEntry(const std::string&) { return false; }

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
