#include "platform/os/posix/PosixFileAt.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>

int ExistsAt(int directory, const char* name) {
  struct stat info;
  return fstatat(directory, name, &info, AT_SYMLINK_NOFOLLOW) == 0 ? 1 : 0;
}

int OpenPictureAt(int directory, const char* name) {
  constexpr int kFlags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  const int fd = openat(directory, name, kFlags | O_NOATIME);
  return fd >= 0 || errno != EPERM ? fd : openat(directory, name, kFlags);
}

namespace {

// For a file system that cannot rename without replacing, and for a
// directory: the name is tested, then taken. Another process could take it in
// between; nothing of this program's can.
int RenameIfFree(int directory, const char* from, const char* to) {
  struct stat info;
  if (fstatat(directory, to, &info, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
  if (errno != ENOENT) return errno;
  return renameat(directory, from, directory, to) == 0 ? 0 : errno;
}

// A second name first, then the old one removed: link never replaces.
int RenameByLink(int directory, const char* from, const char* to) {
  if (linkat(directory, from, directory, to, 0) != 0) {
    const int error = errno;
    // No hard links on this file system (FAT, some network shares).
    if (error == EPERM || error == EOPNOTSUPP) return RenameIfFree(directory, from, to);
    return error;
  }
  if (unlinkat(directory, from, 0) != 0) {
    const int error = errno;
    unlinkat(directory, to, 0);  // back to the one name it had
    return error;
  }
  return 0;
}

}  // namespace

int RenameNoReplaceAt(int directory, const char* from, const char* to) {
  if (renameat2(directory, from, directory, to, RENAME_NOREPLACE) == 0) return 0;
  const int error = errno;
  // EINVAL (or ENOSYS on an old kernel): the file system refuses the flag.
  if (error != EINVAL && error != ENOSYS) return error;
  return RenameNoReplaceByHandAt(directory, from, to);
}

int RenameNoReplaceByHandAt(int directory, const char* from, const char* to) {
  struct stat info;
  if (fstatat(directory, from, &info, AT_SYMLINK_NOFOLLOW) != 0) return errno;
  return S_ISDIR(info.st_mode) ? RenameIfFree(directory, from, to) : RenameByLink(directory, from, to);
}

FILE* OpenOwnFileAt(int directory, const char* name, const char* mode) {
  const bool reading = mode[0] == 'r';
  const bool appending = mode[0] == 'a';
  // O_NONBLOCK: a pipe planted under the name must not hold the run waiting
  // for a reader; it is refused below like any other thing not a file.
  const int access = reading ? O_RDONLY : O_WRONLY | O_CREAT | (appending ? O_APPEND : 0);
  const int fd = openat(directory, name, access | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  struct stat info;
  int error = 0;
  if (fstat(fd, &info) != 0) {
    error = errno;
  } else if (!S_ISREG(info.st_mode)) {
    error = EINVAL;
  } else if (info.st_nlink > 1) {
    error = EMLINK;  // emptying or writing it would change the file's other names too
  } else if (fcntl(fd, F_SETFL, appending ? O_APPEND : 0) != 0 || (mode[0] == 'w' && ftruncate(fd, 0) != 0)) {
    error = errno;
  }
  FILE* file = error ? nullptr : fdopen(fd, mode);
  if (!file) {
    if (!error) error = errno;
    close(fd);
    errno = error;
  }
  return file;
}

int SameFileAt(int directory, const char* a, const char* b) {
  struct stat first, second;
  if (fstatat(directory, a, &first, AT_SYMLINK_NOFOLLOW) != 0 ||
      fstatat(directory, b, &second, AT_SYMLINK_NOFOLLOW) != 0) {
    return 0;
  }
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino ? 1 : 0;
}

bool KeepsInodes(int file) {
  struct statfs system;
  if (fstatfs(file, &system) != 0) return false;
  switch (static_cast<unsigned long>(system.f_type)) {
    case 0x4d44:      // FAT (vfat, msdos)
    case 0x2011bab0:  // exFAT
    case 0x65735546:  // FUSE (exfat-fuse, ntfs-3g, network file systems)
    case 0xff534d42:  // SMB (cifs)
    case 0xfe534d42:  // SMB2
    case 0x517b:      // SMB (smbfs)
      return false;
    default:
      return true;
  }
}

int IdentifyAt(int directory, const char* name, bool inodesKept, FileIdentity& identity) {
  struct stat info;
  // An empty name: the entry `directory` itself is (opened with O_PATH).
  if (fstatat(directory, name, &info, AT_SYMLINK_NOFOLLOW | (*name ? 0 : AT_EMPTY_PATH)) != 0) return errno;
  identity.size = static_cast<uint64_t>(info.st_size);
  identity.modified = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  identity.index = inodesKept ? static_cast<uint64_t>(info.st_ino) : 0;
  return 0;
}
