#include <ctime>

#include "platform/os/LocalTime.h"

bool LocalTimeOf(int64_t secondsSince1970, std::tm& local) {
  const __time64_t when = secondsSince1970;
  return _localtime64_s(&local, &when) == 0;
}
