// On Windows a name matches in any case of letters: "a.jpg" and "A.JPG" are
// one name.

#include "platform/os/NameMatching.h"

bool NamesMatchIgnoringCase() { return true; }
