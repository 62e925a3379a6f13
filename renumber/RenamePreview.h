#pragma once
// The renames a run would make, worked out without making any: the command
// line's dry run prints them, the window's preview lists them, and "Go For
// It!" after a preview makes them.

#include <string>
#include <vector>

#include "platform/dialog/DialogWindow.h"
#include "renumber/RenameLog.h"
#include "renumber/RenumberDialog.h"
#include "renumber/RunOptions.h"

struct RenamePreview {
  RunOutcome outcome = RunOutcome::kNotStarted;  // how the run would end
  // The directory text the names are in, as the log writes it in front of
  // them: with its trailing separator, or "" for the current directory.
  std::string directory;
  std::vector<LoggedRename> renames;  // bare names, in the order the run makes them
  // Explained: for each rename, what its old name was ordered by (see
  // DescribeOrderedBy; "name" in name order). Else empty.
  std::vector<std::string> orderedBy;
};

// One file of an explained preview: its name before the run, its name after
// it, and what it was ordered by.
struct ExplainedRename {
  std::string from;
  std::string to;
  std::string orderedBy;
};

// The files an explained preview moves, each once from its first name to
// its last (a file moved out of the way and on again is one line), in the
// order of their new numbers (the natural order of the new names).
//   a->tmp ("t1"), b->a ("t2"), tmp->b ("name") => {b, a, "t2"}, {a, b, "t1"}
//   02->03 ("x"), 01->02 ("y")                   => {01, 02, "y"}, {02, 03, "x"}
std::vector<ExplainedRename> FromFirstToLastNames(const RenamePreview& preview);

// The run on a copy of `options`, in a picture of the directory
// (SimulatedFileServices): nothing on disk changes and no viewer starts.
// The run's refusals and failures reach `owner` as the message boxes the run
// shows; its success message, status and count lines go nowhere. To explain
// the order costs ordering the names even in name order.
RenamePreview PreviewRenames(const RunOptions& options, DialogWindow& owner, bool explain = false);
