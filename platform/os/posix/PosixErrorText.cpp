// The C library's own words for an errno value.

#include <cstring>

#include "platform/os/ErrorText.h"

std::string SystemReason(int error) { return std::strerror(error); }
