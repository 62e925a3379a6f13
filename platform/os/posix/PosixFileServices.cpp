#include "platform/os/posix/PosixFileServices.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/os/DirectorySearch.h"
#include "platform/os/posix/PosixFileAt.h"
#include "platform/os/UserDirectories.h"

std::vector<DirEntry> PosixFileServices::Search(const char* searchText, EntryDetail detail) {
  return SearchDirectory(searchText, detail);
}

PackedNames PosixFileServices::SearchNames(const char* searchText) { return SearchDirectoryNames(searchText); }

int PosixFileServices::Exists(const char* path) { return ExistsAt(AT_FDCWD, path); }

int PosixFileServices::Rename(const char* from, const char* to) { return RenameNoReplaceAt(AT_FDCWD, from, to); }

FILE* PosixFileServices::Open(const char* path, const char* mode) { return std::fopen(path, mode); }

FILE* PosixFileServices::OpenOwnFile(const char* path, const char* mode) {
  return OpenOwnFileAt(AT_FDCWD, path, mode);
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

// Whether the syncs are switched off: only a benchmark's build
// (TARVINE_BENCH) heeds TARVINE_BENCH_NO_SYNC, to time what durability
// costs; every other build always syncs.
bool SyncsSwitchedOff() {
#ifdef TARVINE_BENCH_SYNC_SWITCH
  static const bool off = std::getenv("TARVINE_BENCH_NO_SYNC") != nullptr;
  return off;
#else
  return false;
#endif
}

// The directory part of a path, for opening it.
//   "/pics/a.ini" => "/pics/"
//   "a.ini"       => "."
//   "/a.ini"      => "/"
std::string DirectoryText(const char* path) {
  const std::string text(path);
  const size_t slash = text.rfind('/');
  return slash == std::string::npos ? std::string(".") : text.substr(0, slash + 1);
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
  if (error) {
    unlink(newFile.c_str());
    return error;
  }
  // The rename into place is an entry of the directory: durable only once
  // the directory is.
  const std::string directory = DirectoryText(path);
  const int held = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (held < 0) return errno;
  if (fsync(held) != 0) error = errno;
  close(held);
  return error;
}

int PosixFileServices::Remove(const char* path) { return unlink(path) == 0 ? 0 : errno; }

int PosixFileServices::SameFile(const char* a, const char* b) { return SameFileAt(AT_FDCWD, a, b); }

int PosixFileServices::CutBack(FILE* file, long length) {
  if (std::fflush(file) != 0) std::clearerr(file);
  if (ftruncate(fileno(file), length) != 0) return errno;
  return std::fseek(file, length, SEEK_SET) == 0 ? 0 : errno;
}

int PosixFileServices::SyncFile(FILE* file) {
  if (std::fflush(file) != 0) return errno ? errno : EIO;
  if (SyncsSwitchedOff()) return 0;
  return fdatasync(fileno(file)) == 0 ? 0 : errno;
}

int PosixFileServices::Identify(const char* path, FileIdentity& identity) {
  // The file system's word on its inodes is asked of the entry itself.
  const int held = open(path, O_PATH | O_NOFOLLOW | O_CLOEXEC);
  if (held < 0) return errno;
  const int error = IdentifyAt(held, "", KeepsInodes(held), identity);
  close(held);
  return error;
}

int PosixFileServices::MakePrivateDirectories(const std::string& directory) {
  return ::MakePrivateDirectories(directory);
}

int PosixFileServices::IsDirectory(const char* path) {
  struct stat info;
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode) ? 1 : 0;
}

namespace {

// A run directory held open by its descriptor, which also holds its flock:
// the kernel lets the lock go when the process ends, however it ends.
class PosixRunDirectory : public RunDirectory {
 public:
  explicit PosixRunDirectory(int fd) : fd_(fd), inodesKept_(KeepsInodes(fd)) {}
  ~PosixRunDirectory() override { close(fd_); }

  int Exists(const char* name) override { return ExistsAt(fd_, name); }
  int Rename(const char* from, const char* to) override { return RenameNoReplaceAt(fd_, from, to); }
  FILE* OpenOwnFile(const char* name, const char* mode) override { return OpenOwnFileAt(fd_, name, mode); }
  int Remove(const char* name) override { return unlinkat(fd_, name, 0) == 0 ? 0 : errno; }
  int SameFile(const char* a, const char* b) override { return SameFileAt(fd_, a, b); }
  int Identify(const char* name, FileIdentity& identity) override {
    return IdentifyAt(fd_, name, inodesKept_, identity);
  }
  int Sync() override { return SyncsSwitchedOff() || fsync(fd_) == 0 ? 0 : errno; }

 private:
  int fd_;
  bool inodesKept_;  // asked once: every entry is on the directory's file system
};

}  // namespace

int PosixFileServices::OpenRunDirectory(const char* directory, std::unique_ptr<RunDirectory>& opened) {
  const int fd = open(*directory ? directory : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno == EAGAIN ? EWOULDBLOCK : errno;
    close(fd);
    return error;
  }
  opened = std::make_unique<PosixRunDirectory>(fd);
  return 0;
}

FileServices& SystemFileServices() {
  static PosixFileServices services;
  return services;
}

int RenameNoReplace(const char* from, const char* to) { return RenameNoReplaceAt(AT_FDCWD, from, to); }

int RenameNoReplaceByHand(const char* from, const char* to) { return RenameNoReplaceByHandAt(AT_FDCWD, from, to); }
