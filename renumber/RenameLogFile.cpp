#include "renumber/RenameLogFile.h"

#include <cerrno>

#include "platform/os/FileServices.h"
#include "renumber/RenameLog.h"

int RenameLogFile::Open(RunDirectory& directory, const char* directoryText, bool append) {
  Close();
  directoryText_ = directoryText;
  // Lines end in "\n" on every system, so a log reads the same wherever it
  // was written.
  file_ = directory.OpenOwnFile(kLogFileName, append ? "ab" : "wb");
  if (!file_) return errno ? errno : EIO;
  if (append) std::fseek(file_, 0, SEEK_END);  // so ftell tells where lines start
  return 0;
}

bool RenameLogFile::Record(const char* oldName, const char* newName) {
  lineStart_ = std::ftell(file_);
  const bool written = WriteLogLine(file_, directoryText_.c_str(), oldName, newName) >= 0 && std::fflush(file_) == 0;
  if (!written) TakeBack();
  return written;
}

void RenameLogFile::TakeBack() {
  if (lineStart_ < 0) return;
  std::clearerr(file_);
  // Where the file cannot be cut back (a failing disk), the line stays and
  // undo passes over it: its rename never happened.
  Files().CutBack(file_, lineStart_);
  lineStart_ = -1;
}

void RenameLogFile::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}
