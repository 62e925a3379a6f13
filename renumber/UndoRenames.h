#pragma once
// Reversing the renames a run recorded in renum.log.

#include <string>

struct UndoOutcome {
  bool succeeded;
  int reversed;         // renames taken back
  std::string message;  // for the user: the count, or what stopped the undo
};

// Reads `directory`/renum.log and takes its renames back from the last line
// to the first, each with the never-replacing rename. A logged name without
// a directory part is taken in `directory`; other relative names in the
// current directory. Stops at the first rename that fails, changing nothing
// more. The log itself stays.
//
// A run that was killed may have left a last line whose rename never
// happened (its new name absent, its old name present), or a last line cut
// short: both are passed over. A rename cut short between its two steps may
// have left one file under both names: the new name is then removed.
UndoOutcome UndoRenames(const std::string& directory);
