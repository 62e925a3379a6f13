#pragma once
// File services that behave as the real ones except where a test asks for a
// fault: a listing in a chosen order, a rename that fails at the k-th call
// or meets another program's doing just before, a file that cannot be
// opened, a log whose writes fail part-way.

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/os/PathRunDirectory.h"
#include "tests/support/FailingStream.h"

// Every operation goes to the system's own services (SystemFileServices)
// unless a fault is asked for.
class FaultyFileServices : public FileServices {
 public:
  std::vector<DirEntry> Search(const char* searchText, EntryDetail detail) override {
    std::vector<DirEntry> entries = system_.Search(searchText, detail);
    if (listingOrder.empty()) return entries;
    std::vector<DirEntry> ordered;
    for (const std::string& name : listingOrder) {
      for (const DirEntry& entry : entries) {
        if (entry.name == name) ordered.push_back(entry);
      }
    }
    return ordered;
  }
  // Names come from Search above, so a listing order applies to them too.
  PackedNames SearchNames(const char* searchText) override { return FileServices::SearchNames(searchText); }

  int Rename(const char* from, const char* to) override {
    ++renameCalls;
    if (beforeRename) beforeRename(renameCalls, from, to);
    if (renameCalls == failRenameAt) return failRenameWith;
    const int error = system_.Rename(from, to);
    if (error == EEXIST) ++takenAtRename;
    return error;
  }

  FILE* Open(const char* path, const char* mode) override {
    if (OpenFails(path)) return nullptr;
    return system_.Open(path, mode);
  }

  FILE* OpenOwnFile(const char* path, const char* mode) override {
    if (OpenFails(path)) return nullptr;
    const bool writing = mode[0] != 'r';
    if (writing && logWritesFailAfter >= 0 && EndsWith(path, "renum.log")) {
      FILE* real = system_.OpenOwnFile(path, mode);  // the same refusals as the real log
      if (!real) return nullptr;
      std::fclose(real);
      return FailingAfter(path, mode, logWritesFailAfter);
    }
    return system_.OpenOwnFile(path, mode);
  }

  int ReplaceFileContents(const char* path, const std::string& text) override {
    if (OpenFails(path) || failReplace) return EACCES;
    return system_.ReplaceFileContents(path, text);
  }

  // The real directory is opened and locked, but its entries are reached
  // through this object's own operations by path, so every fault applies.
  int OpenRunDirectory(const char* directory, std::unique_ptr<RunDirectory>& opened) override {
    if (failLockWith) return failLockWith;
    std::unique_ptr<RunDirectory> lock;
    if (const int error = system_.OpenRunDirectory(directory, lock)) return error;
    opened = std::make_unique<PathRunDirectory>(*this, directory, std::move(lock));
    return 0;
  }

  int Exists(const char* path) override { return system_.Exists(path); }
  int CutBack(FILE* file, long length) override { return system_.CutBack(file, length); }
  int SyncFile(FILE* file) override {
    ++fileSyncs;
    if (failSyncWith) return failSyncWith;
    // A stream of the test's own (a log that runs out of space) has no
    // descriptor to sync: flushing it is all there is.
    if (fileno(file) < 0) return std::fflush(file) == 0 ? 0 : (errno ? errno : EIO);
    return system_.SyncFile(file);
  }
  int Identify(const char* path, FileIdentity& identity) override { return system_.Identify(path, identity); }
  int MakePrivateDirectories(const std::string& directory) override {
    return system_.MakePrivateDirectories(directory);
  }
  int Remove(const char* path) override { return system_.Remove(path); }
  int SameFile(const char* a, const char* b) override { return system_.SameFile(a, b); }
  int IsDirectory(const char* path) override { return system_.IsDirectory(path); }

  // The names the listing delivers, in this order (names not on disk are
  // skipped); empty: the real order.
  std::vector<std::string> listingOrder;
  int failRenameAt = 0;  // 1-based rename call that fails; 0: none
  int failRenameWith = EACCES;
  // Runs before every rename, as another program acting at that moment would.
  std::function<void(int call, const char* from, const char* to)> beforeRename;
  bool failOpen = false;
  std::string failOpenNamed;  // with failOpen: only paths ending so; empty: all
  bool failReplace = false;
  int failLockWith = 0;  // the errno value OpenRunDirectory fails with; 0: no fault
  long logWritesFailAfter = -1;  // renum.log takes this many bytes, then writes fail; -1: no fault
  int failSyncWith = 0;  // the errno value every file sync fails with; 0: no fault
  int fileSyncs = 0;
  int renameCalls = 0;
  int takenAtRename = 0;  // renames the file system refused because the name was taken

 private:
  bool OpenFails(const char* path) const {
    if (!failOpen || !(failOpenNamed.empty() || EndsWith(path, failOpenNamed))) return false;
    errno = EACCES;
    return true;
  }

  static bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
  }

  static FILE* FailingAfter(const char* path, const char* mode, long budget) {
    return StreamFailingAfter(path, mode, budget);
  }

  FileServices& system_ = SystemFileServices();
};
