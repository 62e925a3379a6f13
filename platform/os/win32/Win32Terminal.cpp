#include <io.h>

#include "platform/os/Terminal.h"

bool IsTerminal(FILE* stream) { return _isatty(_fileno(stream)) != 0; }
