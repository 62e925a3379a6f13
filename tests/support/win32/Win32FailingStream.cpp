#include <cerrno>

#include "tests/support/FailingStream.h"

FILE* StreamFailingAfter(const char*, const char*, long) {
  errno = ENOSYS;
  return nullptr;
}

bool StreamsCanFailPartWay() { return false; }
