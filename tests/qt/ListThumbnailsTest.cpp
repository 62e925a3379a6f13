// Pictures before a list's lines: asked only for the lines shown, read off
// the window's thread, dropped safely when the window goes first.

#include "platform/dialog/qt/ListThumbnails.h"

#include <QBuffer>
#include <QDialog>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "platform/dialog/qt/QtDialogWindow.h"
#include "tests/qt/QtTestSupport.h"

namespace {

constexpr int kList = 2;

const DialogTemplate& ListTemplate() {
  static const DialogTemplate dialogTemplate{
      "Pictures", 200, 100, "MS Sans Serif", 8, false, false, nullptr,
      {{kList, ControlKind::kListBox, "", 10, 10, 180, 80, ControlStyle::kTabStop}}};
  return dialogTemplate;
}

std::string GreenPng() {
  QImage picture(40, 20, QImage::Format_RGB32);
  picture.fill(Qt::green);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return bytes.toStdString();
}

// The colour at the middle of a line's icon.
QColor MiddleOf(const QListWidgetItem* item) {
  const QImage icon = item->icon().pixmap(QSize(ListThumbnails::kEdge, ListThumbnails::kEdge)).toImage();
  return icon.isNull() ? QColor() : icon.pixelColor(icon.width() / 2, icon.height() / 2);
}

struct Asked {
  std::atomic<int> lines{0};
  std::atomic<int> highest{-1};
};

using ListThumbnailsTest = QtWindowTest;

TEST_F(ListThumbnailsTest, OnlyTheLinesShownAreAskedForTheirPicturesAndAClosedWindowDropsTheRest) {
  auto window = std::make_unique<QtDialogWindow>(ListTemplate());
  for (int i = 0; i < 10'000; ++i) window->AddListItem(kList, ("line " + std::to_string(i) + "\t-> x").c_str());
  auto asked = std::make_shared<Asked>();
  const std::string png = GreenPng();
  window->SetListThumbnails(kList, [asked, png](size_t line, int edgePixels) {
    EXPECT_GE(edgePixels, ListThumbnails::kEdge);
    ++asked->lines;
    int highest = asked->highest;
    while (static_cast<int>(line) > highest && !asked->highest.compare_exchange_weak(highest, static_cast<int>(line))) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return Thumbnail{line % 2 ? std::string("no picture") : png, ""};
  });
  auto* list = qobject_cast<QListWidget*>(window->Control(kList));
  ASSERT_NE(list, nullptr);
  const auto* thumbnails = ListThumbnails::Of(list);
  ASSERT_NE(thumbnails, nullptr);
  window->Dialog()->show();

  QTRY_VERIFY_WITH_TIMEOUT(!list->item(1)->icon().isNull(), 5000);
  QTRY_VERIFY_WITH_TIMEOUT(!list->item(0)->icon().isNull(), 5000);
  EXPECT_EQ(MiddleOf(list->item(0)), QColor(Qt::green));
  EXPECT_EQ(list->item(1)->icon().cacheKey(), thumbnails->Placeholder().cacheKey()) << "no picture: the plain icon";
  const int shown = list->indexAt(list->viewport()->rect().bottomLeft()).row();
  EXPECT_GT(shown, 0);
  EXPECT_LE(asked->highest, std::max(shown, 0)) << "a line never shown was asked for";

  list->scrollToBottom();
  QTRY_VERIFY_WITH_TIMEOUT(!list->item(9'998)->icon().isNull(), 5000);
  EXPECT_EQ(MiddleOf(list->item(9'998)), QColor(Qt::green));
  EXPECT_LT(asked->lines, 100) << "the lines scrolled past are not read";

  // Gone while pictures are still read: they are dropped, none is set.
  list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum() / 2);
  QApplication::processEvents();
  window.reset();
  QTest::qWait(50);
  const int total = asked->lines;
  QTest::qWait(50);
  EXPECT_EQ(asked->lines, total) << "nothing more is asked for";
}

}  // namespace
