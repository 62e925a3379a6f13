#pragma once
// The directory a run or an undo works in, opened once and held until it
// ends. Its entries are named by their bare names ("a.jpg", never a path):
// a rename costs no walk of the directory's path, a parent directory
// swapped for a link in the middle of a run cannot send the renames
// elsewhere, and a name needs no room for the directory in front of it.
// Holding it is also the directory's run lock: one run or undo at a time,
// across processes.

#include <cstdio>
#include <string>

#include "platform/os/FileIdentity.h"

// Invariant: every name given is a bare name of this one directory.
class RunDirectory {
 public:
  virtual ~RunDirectory() = default;

  // 1 when anything bears the name (a file, a directory, a dangling link).
  virtual int Exists(const char* name) = 0;
  // Renames without ever replacing: 0, else the errno value (EEXIST: taken).
  virtual int Rename(const char* from, const char* to) = 0;
  // As FileServices::OpenOwnFile, for a file of this directory.
  virtual FILE* OpenOwnFile(const char* name, const char* mode) = 0;
  // Removes a name. 0 or an errno value.
  virtual int Remove(const char* name) = 0;
  // 1 when both names are names of one file, else 0.
  virtual int SameFile(const char* a, const char* b) = 0;
  // What identifies the entry (links not followed). 0 or an errno value.
  virtual int Identify(const char* name, FileIdentity& identity) = 0;
  // Makes the directory's entries as they stand durable: its renames and
  // new names survive a power cut once this returns 0 (fsync on POSIX).
  // 0 or an errno value.
  virtual int Sync() = 0;
};
