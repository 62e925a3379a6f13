#pragma once
// The dialogs' texts are UTF-8; the window system takes and gives UTF-16.
// Both ways, for the Win32 dialogs alone (the OS seam has its own).

#include <string>

// UTF-8 => UTF-16; null reads as empty.
//   "a\xc3\xa9" => L"a\u00e9"
std::wstring WideDialogText(const char* utf8);

// UTF-16 => UTF-8.
//   L"\u20ac" => "\xe2\x82\xac"
std::string Utf8DialogText(const std::wstring& wide);
