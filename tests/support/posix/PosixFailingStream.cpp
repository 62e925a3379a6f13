#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "tests/support/FailingStream.h"

namespace {

struct Budget {
  int fd;
  long left;
};

}  // namespace

FILE* StreamFailingAfter(const char* path, const char* mode, long budget) {
  const int flags = O_WRONLY | O_CREAT | (mode[0] == 'a' ? O_APPEND : O_TRUNC);
  const int fd = open(path, flags, 0644);
  if (fd < 0) return nullptr;
  cookie_io_functions_t functions{};
  functions.write = [](void* cookie, const char* data, size_t size) -> ssize_t {
    auto* budget = static_cast<Budget*>(cookie);
    const size_t fits = budget->left < static_cast<long>(size) ? static_cast<size_t>(budget->left) : size;
    const ssize_t written = fits ? write(budget->fd, data, fits) : 0;
    if (written > 0) budget->left -= written;
    if (static_cast<size_t>(written) == size) return written;
    errno = ENOSPC;
    return -1;
  };
  functions.close = [](void* cookie) -> int {
    auto* budget = static_cast<Budget*>(cookie);
    const int result = close(budget->fd);
    delete budget;
    return result;
  };
  return fopencookie(new Budget{fd, budget}, "w", functions);
}

bool StreamsCanFailPartWay() { return true; }
