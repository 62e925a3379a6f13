#include "app/PreviewDialog.h"

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
  window_.GotoDlgCtrl(kPreviewList);
}

void PreviewDialog::OnCommand(int id) {
  if (id == kGoButton) window_.EndDialog(kGoButton);
}
