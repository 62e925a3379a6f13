#pragma once
// The preview of a run: the directory, every rename the run would make, one
// a line as the log records it (ordered by time, after the time each file
// was ordered by and its source) with a thumbnail of its file, how many
// there are, "Go For It!" to make them and Close (also Enter and Escape) to
// leave them unmade.

#include <string>
#include <utility>

#include "platform/dialog/DialogCommands.h"
#include "platform/dialog/DialogWindow.h"
#include "renumber/RenamePreview.h"

// The preview's controls, besides "Go For It!" (kGoButton) and Close (kIdCancel).
constexpr int kPreviewDirectory = 1101;  // the directory, read-only
constexpr int kPreviewList = 1102;       // the renames
constexpr int kPreviewCount = 1103;      // how many

class PreviewDialog : public DialogCommands {
 public:
  // `countText`, when given, stands in the count line in place of the
  // run's (an undo's renames are reversed, not made).
  PreviewDialog(DialogWindow& window, const RenamePreview& preview, std::string countText = "")
      : window_(window), preview_(preview), countText_(std::move(countText)) {}

  void OnInitDialog() override;
  // "Go For It!" ends the preview with kGoButton, for the run to go ahead.
  void OnCommand(int id) override;
  void OnOK() override { window_.EndDialog(kIdCancel); }
  void OnCancel() override { window_.EndDialog(kIdCancel); }

 private:
  DialogWindow& window_;
  const RenamePreview& preview_;
  std::string countText_;
};

// One rename as the preview lists it, the names as the log writes them
// without their directory; a control character in a name (a line break, a
// tab) shows as U+FFFD, so that each rename keeps to its line and the arrow
// is the only one on it.
//   "a.jpg", "001.jpg"    => "a.jpg\t\t-> 001.jpg"
//   "a\nb.jpg", "002.jpg" => "a\xEF\xBF\xBD" "b.jpg\t\t-> 002.jpg"
//   "a\tb.jpg", "003.jpg" => "a\xEF\xBF\xBD" "b.jpg\t\t-> 003.jpg"
std::string PreviewLine(const LoggedRename& rename);

// The preview's count line.
//   1 => "1 rename would be made."
//   3 => "3 renames would be made."
std::string PreviewCountText(size_t renames);
