#include "platform/os/NullDevice.h"

const char* NullDevicePath() { return "/dev/null"; }
