#include "platform/dialog/win32/DialogText.h"

#include <windows.h>

#include <cstring>

std::wstring WideDialogText(const char* utf8) {
  if (!utf8 || !*utf8) return std::wstring();
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(units > 0 ? units : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), units);
  wide.resize(std::wcslen(wide.c_str()));
  return wide;
}

std::string Utf8DialogText(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes > 0 ? bytes : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8.data(), bytes, nullptr, nullptr);
  utf8.resize(std::strlen(utf8.c_str()));
  return utf8;
}
