#pragma once
// The bytes of a file open on POSIX, as the readers of pictures see them.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/os/PictureBytes.h"

// An open file's bytes: its first block read once, at the first request,
// since nearly every piece a header walk asks for lies in it; anything
// beyond is read where asked.
// Invariant: once read, head_ holds the file's first headSize_ bytes.
class OpenFileBytes : public PictureBytes {
 public:
  OpenFileBytes(int fd, uint64_t size) : fd_(fd), size_(size) {}

  uint64_t Size() const override { return size_; }

  size_t ReadAt(uint64_t offset, unsigned char* into, size_t count) override {
    // Never asked beyond the size the file had when opened: a small file is
    // read with one call, without a second that only meets its end.
    if (headSize_ < 0) headSize_ = ReadFully(0, head_, static_cast<size_t>(std::min<uint64_t>(sizeof head_, size_)));
    if (offset + count <= static_cast<uint64_t>(headSize_)) {
      std::memcpy(into, head_ + offset, count);
      return count;
    }
    if (headSize_ < static_cast<long>(sizeof head_)) {  // the file ends inside the head
      if (offset >= static_cast<uint64_t>(headSize_)) return 0;
      const size_t there = static_cast<size_t>(headSize_ - offset);
      std::memcpy(into, head_ + offset, there);
      return there;
    }
    return static_cast<size_t>(ReadFully(offset, into, count));
  }

 private:
  long ReadFully(uint64_t offset, unsigned char* into, size_t count) {
    size_t done = 0;
    while (done < count) {
      const ssize_t got = pread(fd_, into + done, count - done, static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      done += static_cast<size_t>(got);
    }
    return static_cast<long>(done);
  }

  int fd_;
  uint64_t size_;
  long headSize_ = -1;  // not read yet
  unsigned char head_[64 << 10];
};
