#include "platform/os/exiv2/Exiv2Setup.h"

#include <exiv2/exiv2.hpp>

namespace {

// The toolkit's own shared state is guarded by the lock Exiv2 is given.
std::recursive_mutex xmpToolkitLock;

void LockXmp(void* data, bool lock) {
  auto* mutex = static_cast<std::recursive_mutex*>(data);
  if (lock) {
    mutex->lock();
  } else {
    mutex->unlock();
  }
}

}  // namespace

void PrepareExiv2() {
  static std::once_flag prepared;
  std::call_once(prepared, [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::enableBMFF(true);
    Exiv2::XmpParser::initialize(LockXmp, &xmpToolkitLock);
  });
}

std::mutex& XmpTurn() {
  static std::mutex turn;
  return turn;
}
