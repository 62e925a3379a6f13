#include <unistd.h>

#include "platform/Terminal.h"

bool IsTerminal(FILE* stream) { return isatty(fileno(stream)) == 1; }
