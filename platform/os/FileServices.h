#pragma once
// The operating system's file services as the program uses them, behind one
// seam: every directory search, existence test, rename and file opening of
// the program goes through Files(), so tests can put faults in its way and a
// dry run can work on a simulated directory.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/os/DirEntry.h"
#include "platform/os/PackedNames.h"
#include "platform/os/RunDirectory.h"

class FileServices {
 public:
  virtual ~FileServices() = default;

  // Every entry that matches a search text (a directory text followed by a
  // wildcard pattern), in the order in which a file manager shows names,
  // read in the given detail. Empty when nothing matches or the directory
  // cannot be read.
  virtual std::vector<DirEntry> Search(const char* searchText, EntryDetail detail) = 0;

  // The names alone of what Search finds, in its order, packed into one
  // buffer: the listing of a walker that reads nothing but names. These
  // services search with Search(searchText, kNamesOnly) and pack the names;
  // services that can list more compactly do so.
  virtual PackedNames SearchNames(const char* searchText);

  // 1 when anything bears the name (a file, a directory, a dangling
  // symbolic link), else 0.
  virtual int Exists(const char* path) = 0;

  // Renames `from` to `to` and never replaces an existing name.
  // 0 on success, else the errno value of the failure (EEXIST: `to` is taken).
  virtual int Rename(const char* from, const char* to) = 0;

  // Opens a file as fopen does; null (with errno set) on failure.
  virtual FILE* Open(const char* path, const char* mode) = 0;

  // Opens a file the program keeps in a directory it works on (the log) with
  // fopen's mode "r", "w" or "a", but only when the name is a regular file
  // with no other name, or (for "w" and "a") is free: never through a
  // symbolic link, never into a second name of a file elsewhere, never a
  // device or a pipe, so a planted name cannot make the program write or
  // wait elsewhere. "w" empties the file only after those tests. Null on
  // failure, with errno set (ELOOP: a link; EMLINK: a file with other names;
  // EINVAL: not a regular file).
  virtual FILE* OpenOwnFile(const char* path, const char* mode) = 0;

  // Makes `text` the whole content of the file `path`: written to a new file
  // beside it, flushed to disk, then renamed into its place, and the
  // directory made durable, so the new content survives a power cut once
  // this returns. A reader sees
  // the old content or the new, never half of it, and whatever bore the
  // name (a link included) is replaced, never written through. 0 or an
  // errno value; on failure `path` is as it was.
  virtual int ReplaceFileContents(const char* path, const std::string& text) = 0;

  // Cuts a file opened for writing back to its first `length` bytes, and
  // goes on writing there: a log line taken back. 0 or an errno value.
  virtual int CutBack(FILE* file, long length) = 0;

  // Writes out what the stream holds and makes the file's content durable
  // (fdatasync on POSIX, FlushFileBuffers on Windows): it survives a power
  // cut once this returns 0. 0 or an errno value.
  virtual int SyncFile(FILE* file) = 0;

  // What identifies the file `path` names (links not followed). 0 or an
  // errno value.
  virtual int Identify(const char* path, FileIdentity& identity) = 0;

  // Makes `directory` and each missing directory above it, for the user
  // alone (mode 0700): the program's own settings directory. 0 when it
  // exists afterwards, else the errno value of the step that failed.
  virtual int MakePrivateDirectories(const std::string& directory) = 0;

  // Removes a file. 0 or an errno value.
  virtual int Remove(const char* path) = 0;

  // 1 when both paths name the same file (two names of one file), else 0.
  virtual int SameFile(const char* a, const char* b) = 0;

  // 1 when `path` names a directory, or a link to one; else 0.
  virtual int IsDirectory(const char* path) = 0;

  // Opens `directory` ("pics/", or "" for the current one) for a run or an
  // undo and takes its run lock, both held for as long as `opened` lives;
  // the lock goes with the process, however it ends. 0 when opened;
  // EWOULDBLOCK when another run holds the lock; else the errno value of
  // why the directory cannot be opened.
  virtual int OpenRunDirectory(const char* directory, std::unique_ptr<RunDirectory>& opened) = 0;
};

// The operating system's own file services (the POSIX or the Win32 ones).
FileServices& SystemFileServices();

// The file services in force: the system's unless a ScopedFileServices has
// put others in their place.
FileServices& Files();

// Puts `replacement` in force for the guard's lifetime, then restores what
// was in force before. Guards nest; the replacement must outlive the guard.
class ScopedFileServices {
 public:
  explicit ScopedFileServices(FileServices& replacement);
  ~ScopedFileServices();
  ScopedFileServices(const ScopedFileServices&) = delete;
  ScopedFileServices& operator=(const ScopedFileServices&) = delete;

 private:
  FileServices* previous_;
};
