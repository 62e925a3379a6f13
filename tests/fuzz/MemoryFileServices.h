#pragma once
// File services that keep the files the program opens in memory, so a fuzz
// target can read and write a settings file thousands of times a second
// without touching the disk. Streams are real file descriptors (memfd), so
// fileno and fsync work on them as on a file. Searches and renames are the
// real ones; nothing here uses them.

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <string>

#include "platform/os/posix/PosixFileServices.h"

class MemoryFileServices : public PosixFileServices {
 public:
  ~MemoryFileServices() override { Clear(); }

  // Every file, by path, with its bytes. Files opened for writing show
  // their bytes here from the next call on.
  std::map<std::string, std::string>& Contents() {
    CollectWrites();
    return contents_;
  }

  void Clear() {
    CollectWrites();
    contents_.clear();
  }

  int Exists(const char* path) override { return Contents().count(path) ? 1 : 0; }

  FILE* Open(const char* path, const char* mode) override {
    CollectWrites();
    const bool reading = mode[0] == 'r';
    if (reading && !contents_.count(path)) {
      errno = ENOENT;
      return nullptr;
    }
    const int fd = memfd_create("tarvine-fuzz", MFD_CLOEXEC);
    if (fd < 0) return nullptr;
    if (reading) {
      const std::string& bytes = contents_[path];
      if (pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
        close(fd);
        return nullptr;
      }
    } else {
      contents_[path].clear();
      pending_[path] = dup(fd);  // read back once the stream is closed
    }
    FILE* stream = fdopen(fd, mode);
    if (!stream) close(fd);
    return stream;
  }

  int ReplaceFileContents(const char* path, const std::string& text) override {
    CollectWrites();
    contents_[path] = text;
    return 0;
  }

  int Remove(const char* path) override {
    CollectWrites();
    return contents_.erase(path) ? 0 : ENOENT;
  }

 private:
  // Takes in the bytes of the files opened for writing. The program closes
  // a stream before it looks at the file again, so the bytes are all there.
  void CollectWrites() {
    for (const auto& [path, fd] : pending_) {
      std::string& bytes = contents_[path];
      bytes.clear();
      char buffer[4096];
      ssize_t got;
      for (off_t offset = 0; (got = pread(fd, buffer, sizeof buffer, offset)) > 0; offset += got) {
        bytes.append(buffer, static_cast<size_t>(got));
      }
      close(fd);
    }
    pending_.clear();
  }

  std::map<std::string, std::string> contents_;
  std::map<std::string, int> pending_;
};
