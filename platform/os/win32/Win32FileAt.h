#pragma once
// The Win32 file operations the program needs, on whole system paths
// (SystemPath.h), so the path-named services and the held run directory
// share one of each.

#include <cstdio>
#include <string>

#include "platform/os/FileIdentity.h"

// 1 when anything bears the name, in any case of letters or as a short
// (8.3) name (links not followed), else 0.
int ExistsAt(const std::wstring& path);

// Renames without ever replacing: MoveFileExW without
// MOVEFILE_REPLACE_EXISTING, atomic on NTFS, with MOVEFILE_WRITE_THROUGH
// (a move between volumes is flushed before it returns). A name that exists in any
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

// What identifies the file: its size, last-write time and, on NTFS, whose
// file index stays with a file for its life, the index (on FAT and exFAT
// it is the place of the file's directory entry, which a rename moves).
// Links not followed. 0 or the errno value.
int IdentifyAt(const std::wstring& path, FileIdentity& identity);

// Flushes the directory's entries to disk (FlushFileBuffers on a handle of
// the directory, which NTFS answers by committing its journal). A system
// that refuses to flush a directory (access denied, or no such function
// for it) is left to the renames' own MOVEFILE_WRITE_THROUGH: 0 then too.
// 0 or the errno value.
int SyncDirectoryAt(const std::wstring& directory);
