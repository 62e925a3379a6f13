#pragma once
// The POSIX file operations the program needs, on a name relative to an
// open directory (AT_FDCWD: the current directory, or a whole path), so the
// path-named services and the held run directory share one of each.

#include <cstdio>

#include "platform/os/FileIdentity.h"

// 1 when anything bears the name (links not followed), else 0.
int ExistsAt(int directory, const char* name);

// A picture of `directory` opened to be read, or -1: never through a link,
// never waiting (a pipe or a device is no picture), and without marking it
// read, so a disk has no new access time to write back for each picture
// read. Only a file's owner may ask that: anyone else's is opened as usual.
int OpenPictureAt(int directory, const char* name);

// Renames within `directory` without ever replacing a name: renameat2 with
// RENAME_NOREPLACE, and where the file system refuses that flag, link +
// unlink (a directory: an existence test, then rename). 0 or the errno value.
int RenameNoReplaceAt(int directory, const char* from, const char* to);

// The same without RENAME_NOREPLACE, as on a file system that refuses the
// flag: link + unlink for anything but a directory, and where the file
// system has no hard links or for a directory, an existence test, then
// rename.
int RenameNoReplaceByHandAt(int directory, const char* from, const char* to);

// FileServices::OpenOwnFile on a name of `directory`.
FILE* OpenOwnFileAt(int directory, const char* name, const char* mode);

// 1 when both names are names of one file (links not followed), else 0.
int SameFileAt(int directory, const char* a, const char* b);

// Whether the file system that holds `file` (any descriptor on it) keeps a
// file's inode number for as long as the file lives: not FAT or exFAT,
// whose numbers are made up at each mount, nor a FUSE or SMB share, which
// may make them up too.
bool KeepsInodes(int file);

// What identifies the entry `name` of `directory` (links not followed); its
// inode counts only when `inodesKept`. 0 or the errno value.
int IdentifyAt(int directory, const char* name, bool inodesKept, FileIdentity& identity);
