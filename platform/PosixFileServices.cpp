#include "platform/PosixFileServices.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/DirectorySearch.h"
#include "platform/UserDirectories.h"

std::vector<DirEntry> PosixFileServices::Search(const char* searchText, EntryDetail detail) {
  return SearchDirectory(searchText, detail);
}

int PosixFileServices::Exists(const char* path) {
  struct stat info;
  return lstat(path, &info) == 0 ? 1 : 0;
}

int PosixFileServices::Rename(const char* from, const char* to) { return RenameNoReplace(from, to); }

FILE* PosixFileServices::Open(const char* path, const char* mode) { return std::fopen(path, mode); }

FILE* PosixFileServices::OpenOwnFile(const char* path, const char* mode) {
  const bool reading = mode[0] == 'r';
  const bool appending = mode[0] == 'a';
  // O_NONBLOCK: a pipe planted under the name must not hold the run waiting
  // for a reader; it is refused below like any other thing not a file.
  const int access = reading ? O_RDONLY : O_WRONLY | O_CREAT | (appending ? O_APPEND : 0);
  const int fd = open(path, access | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
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

namespace {

// Writes all of `text` to `fd`. 0 or the errno value of the failure.
int WriteWhole(int fd, const std::string& text) {
  for (size_t done = 0; done < text.size();) {
    const ssize_t written = write(fd, text.data() + done, text.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<size_t>(written);
  }
  return 0;
}

}  // namespace

int PosixFileServices::ReplaceFileContents(const char* path, const std::string& text) {
  // A name of our own beside the file, taken only when free (O_EXCL), so a
  // planted name there is never written through either.
  std::string newFile;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    newFile = std::string(path) + ".new-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
    fd = open(newFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return errno;
  }
  if (fd < 0) return EEXIST;
  int error = WriteWhole(fd, text);
  if (!error && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && !error) error = errno;
  if (!error && std::rename(newFile.c_str(), path) != 0) error = errno;
  if (error) unlink(newFile.c_str());
  return error;
}

int PosixFileServices::Remove(const char* path) { return unlink(path) == 0 ? 0 : errno; }

int PosixFileServices::SameFile(const char* a, const char* b) {
  struct stat first, second;
  if (lstat(a, &first) != 0 || lstat(b, &second) != 0) return 0;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino ? 1 : 0;
}

int PosixFileServices::CutBack(FILE* file, long length) {
  if (std::fflush(file) != 0) std::clearerr(file);
  if (ftruncate(fileno(file), length) != 0) return errno;
  return std::fseek(file, length, SEEK_SET) == 0 ? 0 : errno;
}

int PosixFileServices::MakePrivateDirectories(const std::string& directory) {
  return ::MakePrivateDirectories(directory);
}

int PosixFileServices::IsDirectory(const char* path) {
  struct stat info;
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode) ? 1 : 0;
}

namespace {

// The run lock of one directory: flock on the directory itself, held by an
// open descriptor, so the kernel lets it go when the process ends.
class FlockedDirectory : public FileServices::DirectoryLock {
 public:
  explicit FlockedDirectory(int fd) : fd_(fd) {}
  ~FlockedDirectory() override { close(fd_); }

 private:
  int fd_;
};

}  // namespace

int PosixFileServices::LockDirectory(const char* directory, std::unique_ptr<DirectoryLock>& held) {
  const int fd = open(*directory ? directory : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno == EAGAIN ? EWOULDBLOCK : errno;
    close(fd);
    return error;
  }
  held = std::make_unique<FlockedDirectory>(fd);
  return 0;
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
