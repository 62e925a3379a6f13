#pragma once
// What a renumbering pass works on, worked out once from the dialog's fields
// before anything is renamed: the directory, the extension and the new-name
// rule, or the message that says why the fields cannot be renumbered.

#include <string>
#include <vector>

#include "fsystem/PathHelpers.h"
#include "renumber/RunOptions.h"
#include "renumber/NameRules.h"

struct PassPlan {
  // Empty when the plan can be carried out; else the message for the user.
  std::string refusal;
  // The directory with its trailing separator, or "" for the current one.
  char directory[kMaxPathText + 1] = "";
  // The named file's extension, without its dot; set whenever the path has
  // one, also when the plan is refused for another reason.
  char extension[8] = "";
  // The extensions numbered together, the named file's as it is spelt
  // there: the listed ones in their order, the named one last if unlisted.
  std::vector<std::string> kinds;
  int width = 0;  // of the number, as atol reads the digits text (with a 64-bit long)

  bool Refused() const { return !refusal.empty(); }
  // The new-name rule for bare names of the directory; `options` must be
  // the fields the plan was made from.
  NewNameRule NameRule(const RunOptions& options) const {
    return {"", options.prefixText.c_str(), width, options.suffixText.c_str(), extension};
  }
  // The same rule for the names of kind number `kind`.
  NewNameRule NameRule(const RunOptions& options, size_t kind) const {
    NewNameRule rule = NameRule(options);
    rule.extension = kinds[kind].c_str();
    return rule;
  }
};

// Checks the fields and derives the plan. An empty digits text becomes "0"
// in `options`, as the pass has always left it. A text over its limit is
// refused, never cut: a name cut short could collide with another or lose
// its extension.
PassPlan MakePassPlan(RunOptions& options);
