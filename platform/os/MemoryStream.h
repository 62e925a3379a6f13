#pragma once
// A stream whose text stays in memory: a document is put together whole
// with the stream functions, then stored in one step (ReplaceFileContents),
// so a half-written document never takes the place of a whole one.

#include <cstdio>
#include <string>

// Invariant: Stream() is open, and holds everything written to it, until Take().
class MemoryStream {
 public:
  MemoryStream();
  ~MemoryStream();
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;

  // Null only when no memory could be had for it.
  FILE* Stream() const { return stream_; }

  // Closes the stream and gives all that was written to it.
  std::string Take();

 private:
  FILE* stream_ = nullptr;
  char* buffer_ = nullptr;
  size_t size_ = 0;
};
