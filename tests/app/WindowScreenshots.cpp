// Draws the pictures of the window that docs/ shows: the main dialog after a
// picture was chosen, and the preview of its run. `make screenshots` runs it
// under Xvfb at display scales 1 and 2 (QT_SCALE_FACTOR).
//   window_screenshots MAIN.png PREVIEW.png

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <cstdio>

#include "app/DialogTemplates.h"
#include "app/PreviewDialog.h"
#include "platform/dialog/qt/QtDialogWindow.h"
#include "renumber/ControlIds.h"

namespace {

// A holiday picture of its own for each line: sky, sea and a sun where the
// line's number puts it, encoded as the files' pictures are.
Thumbnail HolidayPicture(size_t line, int /*edgePixels*/) {
  QImage picture(160, 120, QImage::Format_RGB32);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(0, 0, 160, 70, QColor(110 + 15 * static_cast<int>(line % 5), 170, 230));
  painter.fillRect(0, 70, 160, 50, QColor(20, 90 + 12 * static_cast<int>(line % 4), 150));
  painter.setBrush(QColor(250, 210, 80));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QPoint(25 + 22 * static_cast<int>(line % 6), 35), 14, 14);
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return {bytes.toStdString(), ""};
}

bool Save(QtDialogWindow& window, const char* path) {
  window.Dialog()->show();
  QApplication::processEvents();
  // A list's thumbnails are read off the window's thread: waited for, a while at most.
  QElapsedTimer waited;
  waited.start();
  for (QWidget* control : window.Controls()) {
    auto* list = qobject_cast<QListWidget*>(control);
    for (int line = 0; list && line < list->count() && waited.elapsed() < 5000; ++line) {
      while (list->item(line)->icon().isNull() && waited.elapsed() < 5000) QApplication::processEvents();
    }
  }
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
  previewWindow.SetListThumbnails(kPreviewList, HolidayPicture);  // none of its files is here
  return Save(previewWindow, argv[2]) ? 0 : 1;
}
