// The user's directories on Windows: the profile and roaming application
// data folders (known folders), and CreateDirectoryW.

#include <shlobj.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/os/UserDirectories.h"
#include "platform/os/win32/SystemPath.h"
#include "platform/os/win32/Win32Errors.h"
#include "platform/os/win32/WideText.h"

namespace {

std::string KnownFolder(const KNOWNFOLDERID& folder) {
  wchar_t* path = nullptr;
  std::string found;
  if (SHGetKnownFolderPath(folder, KF_FLAG_DEFAULT, nullptr, &path) == S_OK && path) found = Narrow(path);
  CoTaskMemFree(path);
  return found;
}

// "C:\..." or "\\server\...": a path that names the same folder from any
// working directory.
bool IsAbsolute(const char* path) {
  if (!path) return false;
  const auto separator = [](char c) { return c == '\\' || c == '/'; };
  return (path[0] && path[1] == ':' && separator(path[2])) || (separator(path[0]) && separator(path[1]));
}

}  // namespace

std::string AccountHomeDirectory() { return KnownFolder(FOLDERID_Profile); }

std::string SystemSettingsDirectory() {
  const char* appData = std::getenv("APPDATA");
  if (IsAbsolute(appData)) return appData;
  return KnownFolder(FOLDERID_RoamingAppData);
}

std::string DefaultBrowseDirectory() { return "C:\\"; }

std::string ProgramsDirectory() { return "C:\\"; }

int MakePrivateDirectories(const std::string& directory) {
  std::wstring path = SystemPath(directory);
  if (path.empty()) return ENOENT;
  while (path.size() > 1 && path.back() == L'\\') path.pop_back();
  // From the deepest directory that exists down to the one asked for.
  std::vector<std::wstring> missing;
  for (std::wstring at = path; GetFileAttributesW(at.c_str()) == INVALID_FILE_ATTRIBUTES;) {
    missing.push_back(at);
    const size_t cut = at.rfind(L'\\');
    if (cut == std::wstring::npos || cut < 4) break;  // up to "\\?\" and no further
    at.resize(cut);
  }
  for (auto step = missing.rbegin(); step != missing.rend(); ++step) {
    if (!CreateDirectoryW(step->c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return LastErrno();
  }
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastErrno();
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ENOTDIR;
}
