#include "renumber/PassMessages.h"

#include <cerrno>

#include "platform/os/ErrorText.h"

const char kCannotWriteLog[] = "Could not write to renum.log file";
const char kCannotRename[] = "Could not rename at least one file.";

std::string LogOpenReason(int error) {
  switch (error) {
    case ELOOP: return "it is a symbolic link, which is never written through";
    case EMLINK: return "it is a second name of another file, which is never written to";
    case EINVAL:
    case ENXIO:  // a pipe or socket nobody reads
      return "it is not a regular file";
    default: return SystemReason(error);
  }
}

std::string RenamedSoFar(long renamed, PassKind pass, bool logKept, const char* directory) {
  const std::string count = renamed == 0 ? "no file" : std::to_string(renamed) + (renamed == 1 ? " file" : " files");
  std::string text = pass == PassKind::kSecond
                         ? "The first pass had renamed every file, and " + count + " again before it"
                         : (renamed == 0 ? "No file was" : count + (renamed == 1 ? " was" : " were")) + " renamed before it";
  if ((renamed > 0 || pass == PassKind::kSecond) && logKept) {
    text += "; renum.log records every rename: tarvine-renumber --undo ";
    text += *directory ? directory : ".";
    text += " takes them back";
  }
  return text + ".";
}
