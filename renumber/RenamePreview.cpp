#include "renumber/RenamePreview.h"

#include <algorithm>
#include <numeric>
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
  // Each rename's entry by the name it was listed with, and the picture
  // whose number a companion takes.
  std::unordered_map<std::string, std::string> pictureOf, listedAs;
  std::vector<std::string> entryOf;
  run.onCompanion = [&pictureOf](const char* picture, const char* companion) { pictureOf[companion] = picture; };
  const auto onRename = picture.onRename;
  picture.onRename = [&](const char* from, const char* to) {
    onRename(from, to);
    const LoggedRename& rename = preview.renames.back();
    const auto listed = listedAs.find(rename.from);
    const std::string entry = listed == listedAs.end() ? rename.from : listed->second;
    if (listed == listedAs.end()) ++(pictureOf.count(entry) ? preview.companions : preview.pictures);
    listedAs[rename.to] = entry;
    entryOf.push_back(entry);
  };
  ScopedFileServices pictureInForce(picture);
  preview.outcome = run.RunOnFields();

  // A group's renames together, the picture's first, groups in the order
  // their first rename comes.
  std::unordered_map<std::string, size_t> groupRank;
  std::vector<size_t> rank(entryOf.size()), order(entryOf.size());
  for (size_t i = 0; i < entryOf.size(); ++i) {
    const auto companion = pictureOf.find(entryOf[i]);
    preview.ofCompanion.push_back(companion != pictureOf.end());
    preview.fileBefore.push_back(entryOf[i]);
    preview.pictureBefore.push_back(preview.ofCompanion[i] ? companion->second : entryOf[i]);
    rank[i] = groupRank.emplace(preview.ofCompanion[i] ? companion->second : entryOf[i], groupRank.size()).first->second;
  }
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return rank[a] != rank[b] ? rank[a] < rank[b] : preview.ofCompanion[a] < preview.ofCompanion[b];
  });
  RenamePreview sorted = preview;
  for (size_t i = 0; i < order.size(); ++i) {
    sorted.renames[i] = preview.renames[order[i]];
    sorted.ofCompanion[i] = preview.ofCompanion[order[i]];
    sorted.fileBefore[i] = preview.fileBefore[order[i]];
    sorted.pictureBefore[i] = preview.pictureBefore[order[i]];
    if (explain) sorted.orderedBy[i] = preview.orderedBy[order[i]];
  }
  return sorted;
}

std::string RenamedEntriesText(const RenamePreview& preview) {
  return std::to_string(preview.pictures) + (preview.pictures == 1 ? " picture" : " pictures") + " and " +
         std::to_string(preview.companions) + (preview.companions == 1 ? " companion" : " companions") +
         " would be renamed";
}

std::vector<ExplainedRename> FromFirstToLastNames(const RenamePreview& preview) {
  std::vector<ExplainedRename> files;
  std::vector<std::string> pictureOfFile;
  std::unordered_map<std::string, size_t> fileAt;          // name before the run => place in files
  std::unordered_map<std::string, std::string> nameAfter;  // name before the run => name after it
  for (size_t i = 0; i < preview.renames.size(); ++i) {
    const LoggedRename& rename = preview.renames[i];
    const std::string& before = preview.fileBefore[i];
    nameAfter[before] = rename.to;
    const auto [found, isNew] = fileAt.try_emplace(before, files.size());
    if (!isNew) {
      files[found->second].to = rename.to;
      continue;
    }
    files.push_back({before, rename.to, i < preview.orderedBy.size() ? preview.orderedBy[i] : "name",
                     preview.ofCompanion[i] != 0});
    pictureOfFile.push_back(preview.pictureBefore[i]);
  }
  // A picture that keeps its name while a companion moves sorts by that name.
  const auto pictureAfter = [&](size_t file) -> const std::string& {
    const auto moved = nameAfter.find(pictureOfFile[file]);
    return moved != nameAfter.end() ? moved->second : pictureOfFile[file];
  };
  std::vector<size_t> order(files.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    if (const int byPicture = CompareNatural(pictureAfter(a).c_str(), pictureAfter(b).c_str())) return byPicture < 0;
    return files[a].ofCompanion < files[b].ofCompanion;
  });
  std::vector<ExplainedRename> sorted;
  sorted.reserve(files.size());
  for (const size_t file : order) sorted.push_back(std::move(files[file]));
  return sorted;
}
