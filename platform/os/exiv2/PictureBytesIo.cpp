#include "platform/os/exiv2/PictureBytesIo.h"

#include <algorithm>

int PictureBytesIo::open() {
  at_ = 0;
  eof_ = false;
  return 0;
}

long PictureBytesIo::read(Exiv2::byte* into, long count) {
  if (count <= 0) return 0;
  const uint64_t left = at_ < size_ ? size_ - at_ : 0;
  const size_t wanted = static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(count), left));
  const size_t got = wanted > 0 ? bytes_.ReadAt(at_, into, wanted) : 0;
  if (got < wanted) failed_ = true;
  at_ += got;
  if (got < static_cast<size_t>(count)) eof_ = true;
  return static_cast<long>(got);
}

Exiv2::DataBuf PictureBytesIo::read(long count) {
  // Never more than the file holds, whatever a damaged length asks for.
  const uint64_t left = at_ < size_ ? size_ - at_ : 0;
  const long room = static_cast<long>(std::min<uint64_t>(count > 0 ? static_cast<uint64_t>(count) : 0, left));
  Exiv2::DataBuf buffer(room);
  const long got = read(buffer.pData_, room);
  if (got < count) eof_ = true;
  buffer.size_ = got;
  return buffer;
}

int PictureBytesIo::getb() {
  Exiv2::byte one;
  return read(&one, 1) == 1 ? one : EOF;
}

void PictureBytesIo::transfer(Exiv2::BasicIo&) { throw Exiv2::Error(Exiv2::kerFunctionNotSupported, "transfer"); }

int PictureBytesIo::seek(long offset, Position from) {
  int64_t base = 0;
  if (from == cur) base = static_cast<int64_t>(at_);
  if (from == end) base = static_cast<int64_t>(size_);
  if (offset > 0 && base > INT64_MAX - offset) return 1;
  const int64_t target = base + offset;
  if (target < 0 || static_cast<uint64_t>(target) > size_) return 1;
  at_ = static_cast<uint64_t>(target);
  eof_ = false;
  return 0;
}

Exiv2::byte* PictureBytesIo::mmap(bool writeable) {
  if (writeable || size_ > kMostMapped) throw Exiv2::Error(Exiv2::kerFunctionNotSupported, "mmap");
  if (mapped_.size() != size_) {
    mapped_.assign(static_cast<size_t>(size_), 0);
    if (bytes_.ReadAt(0, mapped_.data(), mapped_.size()) != mapped_.size()) failed_ = true;
  }
  return mapped_.data();
}

int PictureBytesIo::munmap() {
  mapped_.clear();
  mapped_.shrink_to_fit();
  return 0;
}
