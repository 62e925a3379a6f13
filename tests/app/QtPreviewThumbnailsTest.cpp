// The preview's thumbnails in Qt's window, drawn from the files themselves:
// a camera's embedded preview, a picture decoded whole, the plain icon for
// what cannot be read.

#include <QDialog>
#include <QListWidget>
#include <QTest>
#include <filesystem>

#include "app/DialogTemplates.h"
#include "app/PreviewDialog.h"
#include "platform/dialog/qt/ListThumbnails.h"
#include "platform/dialog/qt/QtDialogWindow.h"
#include "tests/qt/QtTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

class QtPreviewThumbnailsTest : public TempDirTest {};

// The colour at the middle of a line's icon.
QColor MiddleOf(const QListWidgetItem* item) {
  const QImage icon = item->icon().pixmap(QSize(ListThumbnails::kEdge, ListThumbnails::kEdge)).toImage();
  return icon.isNull() ? QColor() : icon.pixelColor(icon.width() / 2, icon.height() / 2);
}

TEST_F(QtPreviewThumbnailsTest, ALinesIconBecomesItsFilesPictureOrStaysThePlainIcon) {
  for (const char* name : {"thumbnailed.jpg", "picture.png"}) {
    std::filesystem::copy_file(std::string(TARVINE_CAPTURE_TIMES_DATA "/") + name, PathOf(name));
  }
  Touch("damaged.jpg", "\xFF\xD8\xFF\xE0 cut short");
  RenamePreview preview;
  preview.outcome = RunOutcome::kSucceeded;
  preview.directory = Dir();
  preview.renames = {{"thumbnailed.jpg", "1.jpg"}, {"picture.png", "2.png"}, {"damaged.jpg", "3.jpg"}};
  preview.fileBefore = {"thumbnailed.jpg", "picture.png", "damaged.jpg"};
  QtDialogWindow window(PreviewDialogTemplate());
  PreviewDialog previewDialog(window, preview);
  previewDialog.OnInitDialog();
  window.Dialog()->show();

  auto* list = qobject_cast<QListWidget*>(window.Control(kPreviewList));
  ASSERT_NE(list, nullptr);
  const ListThumbnails* thumbnails = ListThumbnails::Of(list);
  ASSERT_NE(thumbnails, nullptr);
  for (int line = 0; line < 3; ++line) QTRY_VERIFY_WITH_TIMEOUT(!list->item(line)->icon().isNull(), 5000);
  // The JPEG's picture is blue, its embedded thumbnail red.
  const QColor embedded = MiddleOf(list->item(0));
  EXPECT_GT(embedded.red(), 200);
  EXPECT_LT(embedded.blue(), 60);
  EXPECT_EQ(MiddleOf(list->item(1)), QColor(128, 128, 128)) << "the gray PNG, decoded whole";
  EXPECT_EQ(list->item(2)->icon().cacheKey(), thumbnails->Placeholder().cacheKey());
}

}  // namespace
