#pragma once
// renum.log as a run writes it: one line per rename, "<old>\t\t-> <new>",
// with, line for line in renum.ids, what identified the file. Lines are
// written ahead of their renames: a kill leaves lines whose renames never
// happened (undo knows them by their new names being absent and their old
// names present), never a rename without a line. MakeDurable makes the
// lines survive a power cut too, before the renames they record are made.

#include <cstdio>
#include <functional>
#include <string>

#include "platform/os/FileIdentity.h"
#include "platform/os/RunDirectory.h"
#include "renumber/RenameIds.h"

// Invariant: while open, renum.ids holds its header, if any, and one line
// for each whole line of renum.log, and the lines of both recorded since the last MakeDurable are
// the only ones not yet durable.
class RenameLogFile {
 public:
  RenameLogFile() = default;
  ~RenameLogFile() { Close(); }
  RenameLogFile(const RenameLogFile&) = delete;
  RenameLogFile& operator=(const RenameLogFile&) = delete;

  // Opens renum.log and renum.ids of `directory`, afresh or to add to them,
  // never through a link or into a file with other names; lines name files
  // with `directoryText` in front. Added to, the lines past those still in
  // effect (LoggedRenamesInEffect: written ahead of renames a stopped run
  // never made, or cut short) are cut off, and renum.ids is made to hold
  // one line per line of the log.
  // A log with no line left, or one undo could not read, is started afresh,
  // renum.ids with the header `header` gives. 0, or the errno value of why they cannot be opened.
  int Open(RunDirectory& directory, const char* directoryText, bool append,
           const std::function<IdsHeader()>& header);
  bool IsOpen() const { return file_ != nullptr; }

  // Where the lines recorded so far end, in both files.
  struct Mark {
    long log = -1;
    long ids = -1;
  };
  Mark End() const;

  // Writes the line of a rename about to be made, of two bare names of the
  // directory, and the identity line of its file (`identity`: null when
  // unknown); flushed to the system unless `flush` is false. False when the
  // lines could not be written whole; they are then taken back as far as
  // the files allow.
  bool Record(const char* oldName, const char* newName, const FileIdentity* identity, bool flush = true);
  // Takes back the line Record wrote last, when its rename failed.
  void TakeBack();
  // Takes back every line recorded after `mark`: renames that were not made.
  void CutBackTo(Mark mark);
  // Makes every line recorded so far durable, and the directory too when
  // Open created either file. 0 or the errno value.
  int MakeDurable();

  void Close();

 private:
  RunDirectory* directory_ = nullptr;
  FILE* file_ = nullptr;
  FILE* ids_ = nullptr;
  std::string directoryText_;
  Mark lastLine_;         // where the last recorded line starts
  bool created_ = false;  // a file was made by Open, not yet durable in the directory
};
