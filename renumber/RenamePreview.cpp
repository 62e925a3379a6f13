#include "renumber/RenamePreview.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "fsystem/PathHelpers.h"
#include "platform/dialog/StoredControlsWindow.h"
#include "platform/os/NaturalOrder.h"
#include "platform/os/SimulatedFileServices.h"

namespace {

// The run's own window during a preview: its controls are kept apart from
// the real window's, which a preview leaves as it is, and only the messages
// that say why the run would not go through reach the real one.
class PreviewWindow : public StoredControlsWindow {
 public:
  explicit PreviewWindow(DialogWindow& owner) : owner_(owner) {}
  int MessageBox(const char* text, const char* caption, int style) override {
    if (style == kMessageOk) return kIdOk;  // "Directory renumbered." would not be true
    return owner_.MessageBox(text, caption, style);
  }
  void PumpMessages() override {}

 private:
  DialogWindow& owner_;
};

// A preview starts no viewer.
struct NoLauncher : ProgramLauncher {
  int Start(const char*, const char*) override { return 0; }
};

// A path of the run's directory without the directory text in front:
//   "/pics/", "/pics/a.jpg" => "a.jpg"
//   "",       "a.jpg"       => "a.jpg"
std::string WithoutDirectory(std::string_view directory, std::string_view path) {
  if (path.substr(0, directory.size()) == directory) path.remove_prefix(directory.size());
  return std::string(path);
}

}  // namespace

RenamePreview PreviewRenames(const RunOptions& options, DialogWindow& owner, bool explain) {
  RenamePreview preview;
  preview.directory = DirectoryOf(options.pathText.c_str());

  PreviewWindow window(owner);
  NoLauncher noLauncher;
  RenumberDialog run(window, noLauncher);
  run.options = options;
  std::unordered_map<std::string, std::string> orderedBy;  // by bare name, for the pass under way
  if (explain) run.onOrdered = [&orderedBy](const char* name, const std::string& by) { orderedBy[name] = by; };
  SimulatedFileServices picture;
  picture.onRename = [&](const char* from, const char* to) {
    preview.renames.push_back({WithoutDirectory(preview.directory, from), WithoutDirectory(preview.directory, to)});
    if (!explain) return;
    const auto found = orderedBy.find(preview.renames.back().from);
    preview.orderedBy.push_back(found != orderedBy.end() ? found->second : "name");
  };
  ScopedFileServices pictureInForce(picture);
  preview.outcome = run.RunOnFields();
  return preview;
}

std::vector<ExplainedRename> FromFirstToLastNames(const RenamePreview& preview) {
  std::vector<ExplainedRename> files;
  std::unordered_map<std::string, size_t> fileNamed;  // a moved file's name for now => its place
  for (size_t i = 0; i < preview.renames.size(); ++i) {
    const LoggedRename& rename = preview.renames[i];
    const auto found = fileNamed.find(rename.from);
    size_t place = files.size();
    if (found != fileNamed.end()) {
      place = found->second;
      fileNamed.erase(found);
      files[place].to = rename.to;
    } else {
      files.push_back({rename.from, rename.to, i < preview.orderedBy.size() ? preview.orderedBy[i] : "name"});
    }
    fileNamed[rename.to] = place;
  }
  std::stable_sort(files.begin(), files.end(), [](const ExplainedRename& a, const ExplainedRename& b) {
    return CompareNatural(a.to.c_str(), b.to.c_str()) < 0;
  });
  return files;
}
