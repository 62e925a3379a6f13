#pragma once
// The file services on a POSIX system (Linux).

#include "platform/os/FileServices.h"

class PosixFileServices : public FileServices {
 public:
  std::vector<DirEntry> Search(const char* searchText, EntryDetail detail) override;
  PackedNames SearchNames(const char* searchText) override;
  int Exists(const char* path) override;
  int Rename(const char* from, const char* to) override;
  FILE* Open(const char* path, const char* mode) override;
  FILE* OpenOwnFile(const char* path, const char* mode) override;
  int ReplaceFileContents(const char* path, const std::string& text) override;
  int CutBack(FILE* file, long length) override;
  int SyncFile(FILE* file) override;
  int Identify(const char* path, FileIdentity& identity) override;
  int MakePrivateDirectories(const std::string& directory) override;
  int Remove(const char* path) override;
  int SameFile(const char* a, const char* b) override;
  int IsDirectory(const char* path) override;
  int OpenRunDirectory(const char* directory, std::unique_ptr<RunDirectory>& opened) override;
};

// Renames without replacing: renameat2 with RENAME_NOREPLACE, and where the
// file system refuses that flag, link + unlink (a directory: an existence
// test, then rename). 0 on success, else the errno value.
int RenameNoReplace(const char* from, const char* to);

// The same without RENAME_NOREPLACE, as on a file system that refuses the
// flag: link + unlink for anything but a directory, and where the file
// system has no hard links or for a directory, an existence test, then
// rename.
int RenameNoReplaceByHand(const char* from, const char* to);
