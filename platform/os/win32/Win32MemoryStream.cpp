// Windows has no memory stream: the text goes to a temporary file that only
// this stream can open and that the system removes when it closes, in the
// user's temporary folder (the C library's tmpfile would put it in the
// drive's root, where a user may not write).

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdlib>

#include "platform/os/MemoryStream.h"

namespace {

FILE* TemporaryStream() {
  wchar_t folder[MAX_PATH + 1];
  wchar_t name[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH || GetTempFileNameW(folder, L"tvn", 0, name) == 0) return nullptr;
  HANDLE file = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DeleteFileW(name);
    return nullptr;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDWR | _O_BINARY);
  if (fd < 0) {
    CloseHandle(file);
    return nullptr;
  }
  FILE* stream = _fdopen(fd, "w+b");
  if (!stream) _close(fd);
  return stream;
}

}  // namespace

MemoryStream::MemoryStream() : stream_(TemporaryStream()) {}

MemoryStream::~MemoryStream() {
  if (stream_) std::fclose(stream_);
}

std::string MemoryStream::Take() {
  std::string text;
  if (!stream_) return text;
  std::fflush(stream_);
  if (std::fseek(stream_, 0, SEEK_END) == 0) {
    const long size = std::ftell(stream_);
    std::rewind(stream_);
    if (size > 0) {
      text.resize(static_cast<size_t>(size));
      text.resize(std::fread(text.data(), 1, text.size(), stream_));
    }
  }
  std::fclose(stream_);
  stream_ = nullptr;
  return text;
}
