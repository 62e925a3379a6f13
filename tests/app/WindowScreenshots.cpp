// Draws the pictures of the window that docs/ shows: the main dialog after a
// picture was chosen, and the preview of its run. `make screenshots` runs it
// under Xvfb at display scales 1 and 2 (QT_SCALE_FACTOR).
//   window_screenshots MAIN.png PREVIEW.png

#include <QApplication>
#include <QDialog>
#include <QPixmap>
#include <cstdio>

#include "app/DialogTemplates.h"
#include "app/PreviewDialog.h"
#include "platform/dialog/qt/QtDialogWindow.h"
#include "renumber/ControlIds.h"

namespace {

bool Save(QtDialogWindow& window, const char* path) {
  window.Dialog()->show();
  QApplication::processEvents();
  if (window.Dialog()->grab().save(QString::fromLocal8Bit(path))) return true;
  std::fprintf(stderr, "could not write %s\n", path);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: window_screenshots MAIN.png PREVIEW.png\n");
    return 2;
  }
  QtDialogWindow main(MainDialogTemplate());
  main.SetDlgItemText(kPathField, "/home/me/Pictures/crete/IMG_0002.jpg");
  main.SetDlgItemText(kPrefixField, "crete-");
  main.SetDlgItemText(kDigitsField, "3");
  main.SetDlgItemText(kSecondsField, "4");
  main.SetDlgItemText(kStatusLine, "Ready");
  main.CheckDlgButton(kKeepLogBox, 1);
  main.CheckDlgButton(kViewAfterRunBox, 1);
  if (!Save(main, argv[1])) return 1;

  RenamePreview preview;
  preview.outcome = RunOutcome::kSucceeded;
  preview.directory = "/home/me/Pictures/crete/";
  // The first numbering of six pictures, in the order a file manager shows
  // them, one with its raw.
  preview.renames = {{"beach.jpg", "crete-001.jpg"},    {"harbour.jpg", "crete-002.jpg"},
                     {"IMG_0002.jpg", "crete-003.jpg"}, {"IMG_0002.CR2", "crete-003.CR2"},
                     {"IMG_0012.jpg", "crete-004.jpg"}, {"IMG_0110.jpg", "crete-005.jpg"},
                     {"IMG_0111.jpg", "crete-006.jpg"}};
  preview.ofCompanion = {0, 0, 0, 1, 0, 0, 0};
  preview.pictures = 6;
  preview.companions = 1;
  QtDialogWindow previewWindow(PreviewDialogTemplate(), main.Dialog());
  PreviewDialog previewDialog(previewWindow, preview);
  previewDialog.OnInitDialog();
  return Save(previewWindow, argv[2]) ? 0 : 1;
}
