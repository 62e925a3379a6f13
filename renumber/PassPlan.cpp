#include "renumber/PassPlan.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/os/ErrorText.h"

namespace {

constexpr size_t kMaxExtension = 7;
// More kinds than a group can tell apart are refused.
constexpr size_t kMostKinds = 64;

// Why a listed kind cannot be numbered, or "" when it can: it is an
// extension as a named file would give it.
//   "heic" => "";  "" / "a.b" / "x/y" / "toolongx" => the message
std::string KindProblem(const std::string& kind) {
  if (!kind.empty() && kind.size() <= kMaxExtension && kind.find_first_of("./\\\n\r", 0) == std::string::npos &&
      kind.find('\0') == std::string::npos) {
    return "";
  }
  return "\"" + kind + "\" is no kind to number: an extension of 1 to 7 bytes without a dot, slash or line break.";
}

// Whether every kind is one the slideshow pages can show mixed.
bool AllPictureKinds(const std::vector<std::string>& kinds) {
  for (const auto& kind : kinds) {
    if (!IsPictureExtension(kind.c_str())) return false;
  }
  return true;
}

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

  // The kinds numbered together, each once; the named file's kind among them.
  bool namedListed = false;
  for (const auto& kind : options.kinds) {
    if (std::string problem = KindProblem(kind); !problem.empty()) {
      plan.refusal = problem;
      return plan;
    }
    const bool named = EqualIgnoringAsciiCase(kind.c_str(), plan.extension);
    bool listed = false;
    for (const auto& earlier : plan.kinds) listed = listed || EqualIgnoringAsciiCase(kind.c_str(), earlier.c_str());
    if (listed) continue;
    plan.kinds.push_back(named ? plan.extension : kind);
    namedListed = namedListed || named;
  }
  if (!namedListed) plan.kinds.push_back(plan.extension);
  if (plan.kinds.size() > kMostKinds) {
    plan.refusal = "Too many kinds to number together: at most 64.";
    return plan;
  }
  // The pages name every picture by one extension.
  if (plan.kinds.size() > 1 && (options.viewAfterRun == 1 || options.applyViewer == 1) && !AllPictureKinds(plan.kinds)) {
    plan.refusal =
        "The slideshow page and the folder template show the pictures of one extension, so they cannot be made "
        "when several kinds are numbered together (JPG and GIF alone may be mixed). Turn the viewer and the "
        "template off, or number one kind.";
    return plan;
  }

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
