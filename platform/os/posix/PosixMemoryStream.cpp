#include <cstdlib>

#include "platform/os/MemoryStream.h"

MemoryStream::MemoryStream() : stream_(open_memstream(&buffer_, &size_)) {}

MemoryStream::~MemoryStream() {
  if (stream_) std::fclose(stream_);
  std::free(buffer_);
}

std::string MemoryStream::Take() {
  if (stream_) std::fclose(stream_);
  stream_ = nullptr;
  std::string text = buffer_ ? std::string(buffer_, size_) : std::string();
  std::free(buffer_);
  buffer_ = nullptr;
  size_ = 0;
  return text;
}
