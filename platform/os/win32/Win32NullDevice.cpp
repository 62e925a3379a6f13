#include "platform/os/NullDevice.h"

const char* NullDevicePath() { return "NUL"; }
