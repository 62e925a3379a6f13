#include "platform/PosixFileServices.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/DirectorySearch.h"

std::vector<DirEntry> PosixFileServices::Search(const char* searchText, EntryDetail detail) {
  return SearchDirectory(searchText, detail);
}

int PosixFileServices::Exists(const char* path) {
  struct stat info;
  return lstat(path, &info) == 0 ? 1 : 0;
}

int PosixFileServices::Rename(const char* from, const char* to) { return RenameNoReplace(from, to); }

FILE* PosixFileServices::Open(const char* path, const char* mode) { return std::fopen(path, mode); }

int PosixFileServices::Replace(const char* from, const char* to) { return std::rename(from, to) == 0 ? 0 : errno; }

int PosixFileServices::Remove(const char* path) { return unlink(path) == 0 ? 0 : errno; }

int PosixFileServices::SameFile(const char* a, const char* b) {
  struct stat first, second;
  if (lstat(a, &first) != 0 || lstat(b, &second) != 0) return 0;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino ? 1 : 0;
}

namespace {

// For a file system that cannot rename without replacing, and for a
// directory: the name is tested, then taken. Another process could take it in
// between; nothing of this program's can.
int RenameIfFree(const char* from, const char* to) {
  struct stat info;
  if (lstat(to, &info) == 0) return EEXIST;
  if (errno != ENOENT) return errno;
  return std::rename(from, to) == 0 ? 0 : errno;
}

// A second name first, then the old one removed: link never replaces.
int RenameByLink(const char* from, const char* to) {
  if (link(from, to) != 0) {
    const int error = errno;
    // No hard links on this file system (FAT, some network shares).
    if (error == EPERM || error == EOPNOTSUPP) return RenameIfFree(from, to);
    return error;
  }
  if (unlink(from) != 0) {
    const int error = errno;
    unlink(to);  // back to the one name it had
    return error;
  }
  return 0;
}

}  // namespace

int RenameNoReplace(const char* from, const char* to) {
  if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
  const int error = errno;
  // EINVAL (or ENOSYS on an old kernel): the file system refuses the flag.
  if (error != EINVAL && error != ENOSYS) return error;

  return RenameNoReplaceByHand(from, to);
}

int RenameNoReplaceByHand(const char* from, const char* to) {
  struct stat info;
  if (lstat(from, &info) != 0) return errno;
  return S_ISDIR(info.st_mode) ? RenameIfFree(from, to) : RenameByLink(from, to);
}
