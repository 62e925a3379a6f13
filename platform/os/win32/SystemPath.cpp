#include "platform/os/win32/SystemPath.h"

#include <windows.h>

#include "platform/os/win32/WideText.h"

namespace {

const std::wstring kLongPrefix = L"\\\\?\\";

bool StartsWith(const std::wstring& text, const std::wstring& start) { return text.rfind(start, 0) == 0; }

// GetFullPathNameW: the absolute path, or the text itself when the system
// cannot make one.
std::wstring FullPath(const std::wstring& path) {
  DWORD room = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (room == 0) return path;
  std::wstring full(room, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), room, full.data(), nullptr);
  if (length == 0 || length >= room) return path;
  full.resize(length);
  return full;
}

}  // namespace

std::wstring SystemPath(const std::string& path) {
  const std::wstring wide = Widen(path);
  if (wide.empty() || StartsWith(wide, kLongPrefix)) return wide;
  const std::wstring full = FullPath(wide);
  if (StartsWith(full, L"\\\\.\\") || StartsWith(full, kLongPrefix)) return full;
  if (StartsWith(full, L"\\\\")) return kLongPrefix + L"UNC\\" + full.substr(2);
  return kLongPrefix + full;
}

std::wstring SystemDirectoryPath(const std::string& directory) {
  std::wstring path = SystemPath(directory.empty() ? "." : directory);
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path;
}
