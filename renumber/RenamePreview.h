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
  // For each rename, whether it moves a picture's companion. A picture's
  // renames stand first and its companions' right after them; otherwise the
  // renames keep the order the run makes them in.
  std::vector<char> ofCompanion;
  // For each rename, the name its file bore before the run, and the name the
  // picture of its group bore (the file's own for a picture).
  std::vector<std::string> fileBefore, pictureBefore;
  size_t pictures = 0, companions = 0;  // the entries the run would rename
};

// One file of an explained preview: its name before the run, its name after
// it, what it was ordered by, and whether it is a companion.
struct ExplainedRename {
  std::string from;
  std::string to;
  std::string orderedBy;
  bool ofCompanion = false;
};

// The files an explained preview moves, each once from its first name to
// its last (a file moved out of the way and on again is one line), in the
// order of their new numbers (the natural order of their pictures' new
// names), each picture's companions right after it. Files are told apart by
// `fileBefore`, their groups by `pictureBefore`.
//   a->tmp ("t1"), b->a ("t2"), tmp->b ("name") => {b, a, "t2"}, {a, b, "t1"}
//   02->03 ("x"), 01->02 ("y")                   => {01, 02, "y"}, {02, 03, "x"}
//   x.CR2->1.CR2 (of x.jpg), x.jpg->1.jpg        => {x.jpg, 1.jpg}, {x.CR2, 1.CR2, companion}
std::vector<ExplainedRename> FromFirstToLastNames(const RenamePreview& preview);

// What a preview comes to, as its last line says it.
//   1 picture, 0 companions  => "1 picture and 0 companions would be renamed"
//   3 pictures, 1 companion  => "3 pictures and 1 companion would be renamed"
std::string RenamedEntriesText(const RenamePreview& preview);

// The run on a copy of `options`, in a picture of the directory
// (SimulatedFileServices): nothing on disk changes and no viewer starts.
// The run's refusals and failures reach `owner` as the message boxes the run
// shows; its success message, status and count lines go nowhere. To explain
// the order costs ordering the names even in name order.
RenamePreview PreviewRenames(const RunOptions& options, DialogWindow& owner, bool explain = false);
