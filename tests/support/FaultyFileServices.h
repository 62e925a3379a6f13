#pragma once
// File services that behave as the real ones except where a test asks for a
// fault: a listing in a chosen order, a rename that fails at the k-th call
// or meets another program's doing just before, a file that cannot be
// opened, a log whose writes fail part-way.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/os/PathRunDirectory.h"
#include "platform/os/posix/PosixFileServices.h"

class FaultyFileServices : public PosixFileServices {
 public:
  std::vector<DirEntry> Search(const char* searchText, EntryDetail detail) override {
    std::vector<DirEntry> entries = PosixFileServices::Search(searchText, detail);
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
    const int error = PosixFileServices::Rename(from, to);
    if (error == EEXIST) ++takenAtRename;
    return error;
  }

  FILE* Open(const char* path, const char* mode) override {
    if (OpenFails(path)) return nullptr;
    return PosixFileServices::Open(path, mode);
  }

  FILE* OpenOwnFile(const char* path, const char* mode) override {
    if (OpenFails(path)) return nullptr;
    const bool writing = mode[0] != 'r';
    if (writing && logWritesFailAfter >= 0 && EndsWith(path, "renum.log")) {
      FILE* real = PosixFileServices::OpenOwnFile(path, mode);  // the same refusals as the real log
      if (!real) return nullptr;
      std::fclose(real);
      return FailingAfter(path, mode, logWritesFailAfter);
    }
    return PosixFileServices::OpenOwnFile(path, mode);
  }

  int ReplaceFileContents(const char* path, const std::string& text) override {
    if (OpenFails(path) || failReplace) return EACCES;
    return PosixFileServices::ReplaceFileContents(path, text);
  }

  // The real directory is opened and locked, but its entries are reached
  // through this object's own operations by path, so every fault applies.
  int OpenRunDirectory(const char* directory, std::unique_ptr<RunDirectory>& opened) override {
    if (failLockWith) return failLockWith;
    std::unique_ptr<RunDirectory> lock;
    if (const int error = PosixFileServices::OpenRunDirectory(directory, lock)) return error;
    opened = std::make_unique<PathRunDirectory>(*this, directory, std::move(lock));
    return 0;
  }

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

  // A stream onto the real file whose writes fail, as on a full disk, once
  // `budget` bytes are written.
  struct Budget {
    int fd;
    long left;
  };
  static FILE* FailingAfter(const char* path, const char* mode, long budget) {
    const int flags = O_WRONLY | O_CREAT | (mode[0] == 'a' ? O_APPEND : O_TRUNC);
    const int fd = open(path, flags, 0644);
    if (fd < 0) return nullptr;
    cookie_io_functions_t functions{};
    functions.write = [](void* cookie, const char* data, size_t size) -> ssize_t {
      auto* budget = static_cast<Budget*>(cookie);
      const size_t fits = budget->left < static_cast<long>(size) ? static_cast<size_t>(budget->left) : size;
      const ssize_t written = fits ? write(budget->fd, data, fits) : 0;
      if (written > 0) budget->left -= written;
      if (static_cast<size_t>(written) == size) return written;
      errno = ENOSPC;
      return -1;
    };
    functions.close = [](void* cookie) -> int {
      auto* budget = static_cast<Budget*>(cookie);
      const int result = close(budget->fd);
      delete budget;
      return result;
    };
    return fopencookie(new Budget{fd, budget}, "w", functions);
  }
};
