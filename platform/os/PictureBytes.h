#pragma once
// The bytes of one picture or video file, as the readers of capture times
// see them.

#include <cstddef>
#include <cstdint>

// The bytes of one file, read where asked: a reader asks for the few pieces
// it needs and never for the whole file.
class PictureBytes {
 public:
  virtual ~PictureBytes() = default;
  // Copies up to `count` bytes from `offset` into `into`; returns how many
  // there were (fewer at the end of the file or on a read error).
  virtual size_t ReadAt(uint64_t offset, unsigned char* into, size_t count) = 0;
  // The file's size in bytes when it was opened.
  virtual uint64_t Size() const = 0;
};
