#pragma once
// Reversing the renames a run recorded in renum.log.

#include <optional>
#include <string>
#include <vector>

#include "platform/os/RunDirectory.h"
#include "renumber/RenameLog.h"

struct UndoOutcome {
  bool succeeded;
  int reversed;         // renames taken back (by RenamesToUndo: to be taken back)
  std::string message;  // for the user: the count, or what stopped the undo
};

// Reads `directory`/renum.log and, line for line, renum.ids, proves that
// every file to be renamed is the file its line moved (else refuses, naming
// the first that is not, before renaming anything), and takes its renames back from the last line
// to the first, each with the never-replacing rename, holding the
// directory's run lock. Only the last part of each logged name counts: every
// rename stays inside `directory`, wherever the log says the files were.
// Stops at the first rename that fails, changing nothing more. Each line
// taken back is cut off the log, so the log keeps the renames still in
// effect; after a whole undo it is empty.
//
// Lines already reversed (by an undo that stopped or was killed) and a last
// line whose rename a kill prevented are passed over: the undo starts where
// the directory's names show the renames stand, so it can always be run
// again to finish, and says so when nothing is left. A last line cut short
// by a kill is passed over too. A rename cut short between its two
// steps may have left one file under both names: the new name is then
// removed.
UndoOutcome UndoRenames(const std::string& directory);

// How many renames UndoRenames would take back now, in `reversed`, without
// taking any back; or what stops it, as UndoRenames would say it (a log
// whose every rename is reversed already included).
UndoOutcome RenamesToUndo(const std::string& directory);

// What UndoRenames would do now, changing nothing: in `renames`, the renames
// it would make in its order, each from the name a file has now to the name
// it gets back (bare names of the directory); in `outcome`, their count or
// what would stop it before it renames anything.
struct UndoPreview {
  UndoOutcome outcome;
  std::string directory;  // as the log writes it in front of names: with its separator, or ""
  std::vector<LoggedRename> renames;
};
UndoPreview PreviewUndo(const std::string& directory);

// How many of the first lines of `directory`'s renum.log record renames
// still in effect, for a run about to add to the log: lines past them were
// written ahead of renames a stopped run never made, and are dropped before
// the new run's lines follow, so the log stays one story. All of them when
// the directory's names fit no place in the log (something else changed
// it); nothing when the log cannot be read line by line (a line that
// records no rename).
std::optional<size_t> LoggedRenamesInEffect(RunDirectory& directory);
