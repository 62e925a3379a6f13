#pragma once
// The Win32 file operations the program needs, on whole system paths
// (SystemPath.h), so the path-named services and the held run directory
// share one of each.

#include <cstdio>
#include <string>

// 1 when anything bears the name, in any case of letters or as a short
// (8.3) name (links not followed), else 0.
int ExistsAt(const std::wstring& path);

// Renames without ever replacing: MoveFileExW without
// MOVEFILE_REPLACE_EXISTING, atomic on NTFS. A name that exists in any
// spelling (another case of letters, a short name, the file's own name) is
// taken: EEXIST. 0 or the errno value.
int RenameNoReplaceAt(const std::wstring& from, const std::wstring& to);

// FileServices::OpenOwnFile on a whole path: opened without following a
// reparse point (a symbolic link or junction: ELOOP), a disk file only
// (EINVAL), with one name only (EMLINK).
FILE* OpenOwnFileAt(const std::wstring& path, const char* mode);

// 1 when both paths name one file: the same volume serial number and file
// index (links not followed), else 0.
int SameFileAt(const std::wstring& a, const std::wstring& b);

// Removes a file. 0 or the errno value.
int RemoveAt(const std::wstring& path);
