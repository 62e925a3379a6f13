#pragma once
// File services that show directories as they would be after the renames
// made so far, and change nothing on disk: the basis of a dry run. Each
// directory is read once, when first touched; after that every search,
// existence test and rename in it works on that picture. Files opened for
// writing go nowhere.

#include <functional>
#include <map>
#include <string>

#include "platform/os/FileServices.h"
#include "platform/os/PathRunDirectory.h"

class SimulatedFileServices : public FileServices {
 public:
  std::vector<DirEntry> Search(const char* searchText, EntryDetail detail) override;
  int Exists(const char* path) override;
  int Rename(const char* from, const char* to) override;
  FILE* Open(const char* path, const char* mode) override;
  FILE* OpenOwnFile(const char* path, const char* mode) override { return Open(path, mode); }
  int ReplaceFileContents(const char*, const std::string&) override { return 0; }
  // Files the program owns are written nowhere, so there is nothing to remove.
  int Remove(const char*) override { return 0; }
  int CutBack(FILE*, long) override { return 0; }
  int MakePrivateDirectories(const std::string&) override { return 0; }
  // A picture keeps one name per file.
  int SameFile(const char*, const char*) override { return 0; }
  int IsDirectory(const char* path) override;
  // A picture changes nothing another run could see: no lock is needed.
  int OpenRunDirectory(const char* directory, std::unique_ptr<RunDirectory>& opened) override {
    opened = std::make_unique<PathRunDirectory>(*this, directory);
    return 0;
  }

  // Told of every rename that succeeds in the picture.
  std::function<void(const char* from, const char* to)> onRename;

 private:
  struct NaturalLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  using Picture = std::map<std::string, DirEntry, NaturalLess>;
  struct Directory {
    bool readable = false;
    Picture entries;
  };

  // The picture of a directory text ("pics/", "/", "."), read on first use.
  Directory& PictureOf(const std::string& directory);

  std::map<std::string, Directory> directories_;
};
