#include "renumber/OwnFiles.h"

#include <cstring>

#include "renumber/NameRules.h"
#include "renumber/RenameLog.h"

bool IsRunOwnFile(const char* name) {
  for (const char* own : {kLogFileName, "renum.ids", "KavoViewer.html", "Folder.htt"}) {
    if (EqualIgnoringAsciiCase(name, own)) return true;
  }
  return std::strncmp(name, kTemporaryNameStart, sizeof kTemporaryNameStart - 1) == 0;
}
