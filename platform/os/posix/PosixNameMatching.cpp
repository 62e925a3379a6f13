// On POSIX a name is its bytes: "a.jpg" and "A.JPG" are two names.

#include "platform/os/NameMatching.h"

bool NamesMatchIgnoringCase() { return false; }
