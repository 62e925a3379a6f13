#include <ctime>

#include "platform/os/LocalTime.h"

bool LocalTimeOf(int64_t secondsSince1970, std::tm& local) {
  const time_t when = static_cast<time_t>(secondsSince1970);
  return localtime_r(&when, &local) != nullptr;
}
