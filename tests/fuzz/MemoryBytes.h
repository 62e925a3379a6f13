#pragma once
// A fuzz input seen as a file's bytes, as the capture-time readers read one.

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/os/PictureBytes.h"

// Invariant: reads never reach past the input's `size` bytes.
class MemoryBytes : public PictureBytes {
 public:
  MemoryBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, unsigned char* into, size_t count) override {
    if (offset >= size_) return 0;
    const size_t there = std::min<size_t>(count, size_ - offset);
    std::memcpy(into, data_ + offset, there);
    return there;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};
