#pragma once
// The file services on Windows (Win32, wide-character calls): names are
// UTF-8 at the seam and UTF-16 to the system, paths are made long ("\\?\"),
// and failures come back as errno values (Win32Errors.h).

#include "platform/os/FileServices.h"

class Win32FileServices : public FileServices {
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
