#include "app/PreviewDialog.h"

#include <map>
#include <memory>
#include <vector>

#include "platform/os/ThumbnailPicture.h"
#include "renumber/ControlIds.h"

namespace {

constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";

std::string Shown(const std::string& name) {
  std::string shown;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      shown += kReplacementCharacter;
    } else {
      shown += c;
    }
  }
  return shown;
}

// The name each listed rename's file bears now, before any of the renames
// is made: the run's record of it, else (an undo's renames, listed in the
// order they are made) followed back through the renames before it.
//   a->t, b->a, t->b (undo) => a, b, a
//   a->b, b->c (undo)       => a, a
//   with fileBefore {x, y}  => x, y
std::vector<std::string> NamesNow(const RenamePreview& preview) {
  if (preview.fileBefore.size() == preview.renames.size()) return preview.fileBefore;
  std::vector<std::string> names;
  names.reserve(preview.renames.size());
  std::map<std::string, std::string> movedFrom;  // a name taken by a listed rename => its file's name now
  for (const LoggedRename& rename : preview.renames) {
    const auto moved = movedFrom.find(rename.from);
    names.push_back(moved == movedFrom.end() ? rename.from : moved->second);
    if (moved != movedFrom.end()) movedFrom.erase(moved);
    movedFrom[rename.to] = names.back();
  }
  return names;
}

// Each line's picture: the file's own, read from it as it is now.
ThumbnailSource PicturesOf(const RenamePreview& preview) {
  auto names = std::make_shared<const std::vector<std::string>>(NamesNow(preview));
  return [directory = preview.directory, names](size_t line, int edgePixels) -> Thumbnail {
    if (line >= names->size()) return {};
    const std::string& name = (*names)[line];
    return {ReadThumbnailPicture(directory, name, edgePixels), directory + name};
  };
}

}  // namespace

std::string PreviewLine(const LoggedRename& rename) {
  return Shown(rename.from) + std::string(kLogArrow) + Shown(rename.to);
}

std::string PreviewCountText(size_t renames) {
  return std::to_string(renames) + (renames == 1 ? " rename" : " renames") + " would be made.";
}

void PreviewDialog::OnInitDialog() {
  window_.SetDlgItemText(kPreviewDirectory, preview_.directory.empty() ? "./" : preview_.directory.c_str());
  for (size_t i = 0; i < preview_.renames.size(); ++i) {
    // A companion stands under its picture.
    const std::string line = (i < preview_.ofCompanion.size() && preview_.ofCompanion[i] ? "    " : "") + PreviewLine(preview_.renames[i]);
    if (i < preview_.orderedBy.size() && preview_.orderedBy[i] != "name") {
      window_.AddListItem(kPreviewList, (preview_.orderedBy[i] + "\t" + line).c_str());
    } else {
      window_.AddListItem(kPreviewList, line.c_str());
    }
  }
  const std::string count = !countText_.empty()
                                ? countText_
                                : PreviewCountText(preview_.renames.size()) + " " + RenamedEntriesText(preview_) + ".";
  window_.SetDlgItemText(kPreviewCount, count.c_str());
  window_.SetListThumbnails(kPreviewList, PicturesOf(preview_));
  window_.GotoDlgCtrl(kPreviewList);
}

void PreviewDialog::OnCommand(int id) {
  if (id == kGoButton) window_.EndDialog(kGoButton);
}
