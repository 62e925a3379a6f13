#pragma once
// File services that show directories as they would be after the renames
// made so far, and change nothing on disk: the basis of a dry run, and of
// the rehearsal in which a run works out what its passes would do. Each
// directory is read once (names only), from the services in force when the
// simulation was made, when first touched; after that every search,
// existence test and rename in it works on that picture, and a file opened
// for reading is read under the name it has on disk. Files opened for
// writing go nowhere.

#include <cerrno>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/os/DirectoryPicture.h"
#include "platform/os/FileServices.h"

class SimulatedFileServices : public FileServices {
 public:
  // Pictures are read from `real`: the services in force, unless told.
  explicit SimulatedFileServices(FileServices& real = Files()) : real_(real) {}

  std::vector<DirEntry> Search(const char* searchText, EntryDetail detail) override;
  PackedNames SearchNames(const char* searchText) override;
  int Exists(const char* path) override;
  // Renames within one directory's picture (a picture holds no other
  // directory's entries: EXDEV).
  int Rename(const char* from, const char* to) override;
  FILE* Open(const char* path, const char* mode) override;
  FILE* OpenOwnFile(const char* path, const char* mode) override { return Open(path, mode); }
  int ReplaceFileContents(const char*, const std::string&) override { return 0; }
  // Files the program owns are written nowhere, so there is nothing to remove.
  int Remove(const char*) override { return 0; }
  int CutBack(FILE*, long) override { return 0; }
  // Written nowhere, so there is nothing to make durable; a picture knows
  // names alone.
  int SyncFile(FILE*) override { return 0; }
  int Identify(const char*, FileIdentity&) override { return ENOTSUP; }
  int MakePrivateDirectories(const std::string&) override { return 0; }
  // A picture keeps one name per file.
  int SameFile(const char*, const char*) override { return 0; }
  int IsDirectory(const char* path) override;
  // A picture changes nothing another run could see: no lock is needed. Its
  // entries are named by bare names in the picture itself.
  int OpenRunDirectory(const char* directory, std::unique_ptr<RunDirectory>& opened) override;

  // The picture of a directory text ("pics/", "/", or "" and "." for the
  // current directory), read on first use.
  DirectoryPicture& PictureOf(const std::string& directory);
  // Hands over the picture of a directory text, as it stands, to outlive
  // these services; the next use of that directory reads it afresh.
  std::unique_ptr<DirectoryPicture> TakePicture(const std::string& directory);

  // Told of every rename that succeeds in a picture, with the directory
  // text in front of both names.
  std::function<void(const char* from, const char* to)> onRename;

 private:
  FileServices& real_;
  std::map<std::string, std::unique_ptr<DirectoryPicture>> pictures_;
};
