#pragma once
// renum.log as a pass writes it: one line per rename, "<old>\t\t-> <new>",
// written and flushed before the rename itself. A kill between the two
// leaves a last line whose rename never happened (undo knows it by its new
// name being absent and its old name present), never a rename without a line.

#include <cstdio>
#include <string>

#include "platform/os/RunDirectory.h"

class RenameLogFile {
 public:
  RenameLogFile() = default;
  ~RenameLogFile() { Close(); }
  RenameLogFile(const RenameLogFile&) = delete;
  RenameLogFile& operator=(const RenameLogFile&) = delete;

  // Opens renum.log of `directory`, afresh or to add to it, never through a
  // link or into a file with other names; its lines name files with
  // `directoryText` in front. 0, or the errno value of why it cannot be
  // opened.
  int Open(RunDirectory& directory, const char* directoryText, bool append);
  bool IsOpen() const { return file_ != nullptr; }

  // Writes and flushes the line of a rename about to be made, of two bare
  // names of the directory. False when the line could not be written whole;
  // it is then taken back as far as the file allows.
  bool Record(const char* oldName, const char* newName);
  // Takes back the line Record wrote last, when its rename failed.
  void TakeBack();

  void Close();

 private:
  FILE* file_ = nullptr;
  std::string directoryText_;
  long lineStart_ = -1;  // where the last recorded line starts
};
