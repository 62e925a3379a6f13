#pragma once
// Paths as the program's texts give them (UTF-8, relative or absolute, "\"
// or "/"), made into what the Win32 file functions take: UTF-16, absolute,
// with the "\\?\" prefix that lifts the 260-character limit and turns off
// the system's own rewriting of each name (so "con.jpg" or "a. " in a
// directory is that entry, never a device or another name).

#include <string>

// The whole path: made absolute (against the current directory) and
// normalised by the system once, then prefixed. A device the system names
// ("\\.\COM1") stays as the system names it; a path the caller gave with
// "\\?\" stays as given.
//   "C:\pics\a.jpg"         => L"\\?\C:\pics\a.jpg"
//   "C:/pics/../a.jpg"      => L"\\?\C:\a.jpg"
//   "\\server\share\a.jpg"  => L"\\?\UNC\server\share\a.jpg"
//   "a.jpg" (in C:\pics)    => L"\\?\C:\pics\a.jpg"
//   ""                      => L""   (names nothing)
std::wstring SystemPath(const std::string& path);

// A directory as SystemPath makes it, with one "\" at its end, so that a
// bare name can be put after it unchanged; "" is the current directory.
//   "C:\pics"  => L"\\?\C:\pics\"
//   "C:\pics\" => L"\\?\C:\pics\"
//   ""         => L"\\?\<current directory>\"
std::wstring SystemDirectoryPath(const std::string& directory);
