#include "renumber/PassPlan.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/os/ErrorText.h"

namespace {

constexpr size_t kMaxExtension = 7;

}  // namespace

PassPlan MakePassPlan(RunOptions& options) {
  PassPlan plan;
  if (options.pathText.empty()) {
    plan.refusal = "Please specify a path and the first file name to rename.";
    return plan;
  }
  if (options.pathText.size() > kMaxPathText) {
    plan.refusal = "The path is too long: at most 303 bytes.";
    return plan;
  }
  if (options.digitsText.empty()) options.digitsText.push_back('0');  // empty reads as "0"

  const char* extension = ExtensionOfFileName(options.pathText.c_str());
  if (!extension) {
    // The message names the file: a path given from a script may not be the
    // one the user thinks.
    plan.refusal = Explained("File name must have an extension.",
                             options.pathText + " has none: name a file such as holiday.jpg.");
    return plan;
  }
  if (std::strlen(extension) > kMaxExtension) {
    plan.refusal = "The extension is too long: at most 7 bytes.";
    return plan;
  }
  std::snprintf(plan.extension, sizeof plan.extension, "%s", extension);
  std::snprintf(plan.directory, sizeof plan.directory, "%s", DirectoryOf(options.pathText.c_str()));

  // The prefix and suffix are parts of one file's name.
  for (const char* problem : {AffixProblem(options.prefixText, "prefix"), AffixProblem(options.suffixText, "suffix")}) {
    if (problem) {
      plan.refusal = problem;
      return plan;
    }
  }
  // The width is read like atol; one beyond any name's room is refused here,
  // before it could overflow the formatting's int.
  const long long width = std::strtoll(options.digitsText.c_str(), nullptr, 10);
  if (width > kMaxPathText || width < -kMaxPathText) {
    plan.refusal = "The new file names would be too long: at most 255 bytes.";
    return plan;
  }
  plan.width = static_cast<int>(width);
  return plan;
}
