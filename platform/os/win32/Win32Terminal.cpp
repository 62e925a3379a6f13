#include <windows.h>
#include <io.h>

#include "platform/os/Terminal.h"

bool IsTerminal(FILE* stream) { return _isatty(_fileno(stream)) != 0; }

bool ConnectToConsole(FILE* stream) {
  const HANDLE output = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (output != nullptr && output != INVALID_HANDLE_VALUE && GetFileType(output) != FILE_TYPE_UNKNOWN) return true;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
  FILE* reopened = nullptr;
  return freopen_s(&reopened, "CONOUT$", "w", stream) == 0;
}
