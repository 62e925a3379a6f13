#pragma once
// Exiv2's input, read from a file's PictureBytes: the readers of Exiv2 seek
// past the pictures' data and read the pieces they need, so a file is read
// as far as its metadata lies and no further.

#include <exiv2/exiv2.hpp>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/os/PictureBytes.h"

// A read-only Exiv2::BasicIo over `bytes` of `size` bytes, positioned within
// [0, size]. Writing fails; a whole-file mapping is refused past kMostMapped.
class PictureBytesIo : public Exiv2::BasicIo {
 public:
  static constexpr uint64_t kMostMapped = 64 << 20;

  PictureBytesIo(PictureBytes& bytes, uint64_t size) : bytes_(bytes), size_(size) {}

  int open() override;
  int close() override { return 0; }
  long write(const Exiv2::byte*, long) override { return 0; }
  long write(Exiv2::BasicIo&) override { return 0; }
  int putb(Exiv2::byte) override { return EOF; }
  Exiv2::DataBuf read(long count) override;
  long read(Exiv2::byte* into, long count) override;
  int getb() override;
  void transfer(Exiv2::BasicIo&) override;
  int seek(long offset, Position from) override;
  Exiv2::byte* mmap(bool writeable) override;
  int munmap() override;
  long tell() const override { return static_cast<long>(at_); }
  size_t size() const override { return static_cast<size_t>(size_); }
  bool isopen() const override { return true; }
  int error() const override { return failed_ ? 1 : 0; }
  bool eof() const override { return eof_; }
  std::string path() const override { return "picture"; }

 private:
  PictureBytes& bytes_;
  uint64_t size_;
  uint64_t at_ = 0;
  bool eof_ = false;
  bool failed_ = false;
  std::vector<Exiv2::byte> mapped_;
};
