// The dialog built from a template: where its controls are, what they
// show and take, and how Tab and mnemonics move through them.
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "platform/dialog/DialogBaseUnits.h"
#include "platform/dialog/qt/QtDialogWindow.h"
#include "tests/qt/QtTestSupport.h"

namespace {

using namespace small;

// Shows the dialog without a modal loop, active, so that keys and clicks go
// where a user's would.
void ShowActive(QtDialogWindow& window) {
  window.Dialog()->show();
  window.Dialog()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.Dialog()));
}

// A rectangle in dialog units of the window's font, in pixels: a quarter
// of the exact average character width (the alphabet's over 52, unrounded)
// and an eighth of the font's height.
QRect PixelRect(QtDialogWindow& window, int x, int y, int width, int height) {
  const QFontMetrics metrics(window.Dialog()->font());
  const int alphabet = metrics.horizontalAdvance(kDialogUnitAlphabet);
  const int lineHeight = metrics.height();
  return QRect(x * alphabet / 208, y * lineHeight / 8, width * alphabet / 208, height * lineHeight / 8);
}

TEST(QtDialogWindow, PlacesTheControlsInDialogUnitsOfTheDesktopFontAtTheLargerSize) {
  const QFont desktop = QApplication::font();
  for (int desktopPoints : {7, 11}) {
    QFont font = desktop;
    font.setPointSize(desktopPoints);
    QApplication::setFont(font);
    QtDialogWindow window(SmallTemplate());
    EXPECT_EQ(window.Dialog()->font().family(), desktop.family()) << "no Linux has the template's face";
    EXPECT_EQ(window.Dialog()->font().pointSize(), std::max(8, desktopPoints)) << "the template's or the desktop's";
  }
  QApplication::setFont(desktop);

  QtDialogWindow window(SmallTemplate());

  const auto pixels = [&](int x, int y, int w, int h) { return PixelRect(window, x, y, w, h); };

  EXPECT_EQ(window.Dialog()->minimumSize(), pixels(0, 0, 200, 100).size());
  EXPECT_EQ(window.Dialog()->maximumSize(), pixels(0, 0, 200, 100).size());
  EXPECT_EQ(window.Control(kName)->geometry(), pixels(10, 10, 80, 12));
  EXPECT_EQ(window.Control(kKeep)->geometry(), pixels(10, 26, 80, 10));
  EXPECT_EQ(window.Control(kOk)->geometry(), pixels(100, 64, 50, 14));
  EXPECT_EQ(window.Control(kFrame)->geometry(), pixels(5, 2, 150, 85));
  // An icon sizes itself to its picture.
  EXPECT_EQ(window.Control(kPicture)->geometry(), QRect(pixels(165, 10, 0, 0).topLeft(), QSize(32, 32)));
  EXPECT_FALSE(static_cast<QLabel*>(window.Control(kPicture))->pixmap().isNull());
}

TEST(QtDialogWindow, ATextTooLongForItsPlaceGrowsIntoFreeRoomElseWrapsOrShrinks) {
  const char* longText = "A text much too long for the room its template gives it";
  const char* shrinkable = "Fits when smaller";
  const DialogTemplate dialogTemplate{
      "Fitting",
      300,
      100,
      "MS Sans Serif",
      8,
      false,
      false,
      nullptr,
      {
          {1, ControlKind::kLabel, longText, 10, 10, 40, 8, 0},      // alone on its line
          {2, ControlKind::kLabel, shrinkable, 10, 25, 40, 8, 0},    // a button further right
          {3, ControlKind::kPushButton, "B", 60, 23, 30, 12, 0},     //
          {4, ControlKind::kLabel, longText, 10, 40, 40, 16, 0},     // two lines: wraps
          {5, ControlKind::kCheckBox, longText, 10, 60, 40, 10, 0},  // in a frame
          {6, ControlKind::kGroupBox, "", 5, 55, 100, 20, 0},        //
          {7, ControlKind::kLabel, "Short", 10, 80, 40, 8, 0},       // fits already
          {8, ControlKind::kLabel, longText, 250, 90, 40, 8, 0},     // at the dialog's edge
      }};
  QtDialogWindow window(dialogTemplate);
  const auto control = [&](int id) { return window.Control(id)->geometry(); };
  const auto textWidth = [&](int id, const char* text) {
    return window.Control(id)->fontMetrics().horizontalAdvance(text);
  };
  const int fortyUnits = PixelRect(window, 0, 0, 40, 0).width();
  const int margin = PixelRect(window, 0, 0, 4, 0).width();
  const qreal dialogPoints = window.Dialog()->font().pointSizeF();

  EXPECT_GE(control(1).width(), textWidth(1, longText));
  EXPECT_EQ(control(2).width(), fortyUnits) << "the gap to B stays";
  EXPECT_LT(window.Control(2)->font().pointSizeF(), dialogPoints);
  EXPECT_LE(textWidth(2, shrinkable), control(2).width());
  EXPECT_EQ(control(4).width(), fortyUnits) << "as its template says";
  const QRect lines =
      window.Control(4)->fontMetrics().boundingRect(QRect(0, 0, fortyUnits, 1000), Qt::TextWordWrap, longText);
  EXPECT_LE(lines.height(), control(4).height());
  EXPECT_GT(control(5).width(), fortyUnits);
  EXPECT_LE(control(5).right(), control(6).right() - margin);
  EXPECT_EQ(control(7).width(), fortyUnits);
  EXPECT_EQ(control(8).right() + 1, window.Dialog()->width() - margin);

  // A text given later is fitted anew, from the template, once shown.
  window.SetDlgItemText(7, longText);
  EXPECT_TRUE(QTest::qWaitFor([&] { return control(7).width() >= textWidth(7, longText); }));
  window.SetDlgItemText(7, "Short");
  EXPECT_TRUE(QTest::qWaitFor([&] { return control(7).width() == fortyUnits; }));
  EXPECT_EQ(window.Control(7)->font().pointSizeF(), dialogPoints);
}

TEST(QtDialogWindow, HasTheTemplatesCaptionIconAndWindowBoxes) {
  QtDialogWindow window(SmallTemplate());
  QDialog* dialog = window.Dialog();
  EXPECT_EQ(dialog->windowTitle(), "Test  dialog ");
  const QList<QSize> sizes = dialog->windowIcon().availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(32, 32)) && sizes.contains(QSize(16, 16)));
  EXPECT_TRUE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(dialog->windowFlags() & Qt::WindowCloseButtonHint);

  DialogTemplate plain = SmallTemplate();
  plain.minimizeAndMaximizeBoxes = false;
  plain.icon = nullptr;
  QtDialogWindow plainWindow(plain);
  EXPECT_FALSE(plainWindow.Dialog()->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(plainWindow.Dialog()->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(plainWindow.Dialog()->windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(QtDialogWindow, TextsAndChecksGoInAndOutOfEveryKindOfControlAsUtf8) {
  QtDialogWindow window(SmallTemplate());
  EXPECT_EQ(window.GetDlgItemText(kStatus), "Ready");
  EXPECT_EQ(window.GetDlgItemText(kKeep), "&Keep") << "the text as given, mnemonic included";
  for (int id : {kName, kKeep, kRun, kOk, kStatus, kFrame}) {
    window.SetDlgItemText(id, "Grüße, 日本 & 😀");
    EXPECT_EQ(window.GetDlgItemText(id), "Grüße, 日本 & 😀") << id;
  }
  EXPECT_EQ(window.IsDlgButtonChecked(kKeep), 0);
  window.CheckDlgButton(kKeep, 1);
  EXPECT_EQ(window.IsDlgButtonChecked(kKeep), 1);
  EXPECT_TRUE(static_cast<QCheckBox*>(window.Control(kKeep))->isChecked());
  window.CheckDlgButton(kKeep, 0);
  EXPECT_EQ(window.IsDlgButtonChecked(kKeep), 0);

  // A long text shows its start, as after the user's Home key.
  window.SetDlgItemText(kName, std::string(500, 'x').c_str());
  EXPECT_EQ(static_cast<QLineEdit*>(window.Control(kName))->cursorPosition(), 0);

  window.EnableWindow(kRun, false);
  EXPECT_FALSE(window.Control(kRun)->isEnabled());
  window.EnableWindow(kRun, true);
  EXPECT_TRUE(window.Control(kRun)->isEnabled());

  // Ids no control has are ignored, as are checks of what is no check box.
  EXPECT_EQ(window.Control(4242), nullptr);
  window.SetDlgItemText(4242, "nowhere");
  window.CheckDlgButton(kName, 1);
  window.EnableWindow(4242, false);
  window.GotoDlgCtrl(4242);
  EXPECT_EQ(window.GetDlgItemText(4242), "");
  EXPECT_EQ(window.IsDlgButtonChecked(kRun), 0);
  EXPECT_EQ(window.GetDlgItemText(kPicture), "");
}

// Where the second column of a list box's row starts: the first inked
// pixel after a gap wider than a space; -1 when there is none.
int SecondColumnAt(const QImage& picture, const QRect& row, QRgb background) {
  int lastInk = -1;
  for (int x = row.left(); x <= row.right(); ++x) {
    bool inked = false;
    for (int y = row.top(); y <= row.bottom() && !inked; ++y) inked = picture.pixel(x, y) != background;
    if (!inked) continue;
    if (lastInk >= 0 && x - lastInk > 8) return x;
    lastInk = x;
  }
  return -1;
}

TEST(QtDialogWindow, AListBoxShowsItsLinesInColumnsAndAReadOnlyEditTakesNoTyping) {
  const DialogTemplate dialogTemplate{
      "Lists", 200, 100, "MS Sans Serif", 8, false, false, nullptr,
      {
          {1, ControlKind::kEdit, "", 10, 5, 100, 12, ControlStyle::kTabStop | ControlStyle::kReadOnly},
          {2, ControlKind::kListBox, "", 10, 20, 180, 70, ControlStyle::kTabStop},
      }};
  QtDialogWindow window(dialogTemplate);
  ShowActive(window);
  for (const char* line : {"a.jpg\t\t-> 1.jpg", "a-much-longer-name.jpg\t\t-> 2.jpg", "Grüße.jpg\t-> 3.jpg"}) {
    window.AddListItem(2, line);
  }
  window.AddListItem(1, "no list");  // an edit has no lines
  auto* list = qobject_cast<QListWidget*>(window.Control(2));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(2)->text(), "Grüße.jpg\t-> 3.jpg");
  EXPECT_EQ(list->focusPolicy(), Qt::StrongFocus);
  // The arrows line up, after the longest name.
  QApplication::processEvents();  // the list lays its lines out
  const QImage picture = list->viewport()->grab().toImage();
  const QRgb background = picture.pixel(picture.width() - 2, picture.height() - 2);
  std::vector<int> arrows;
  for (int row = 0; row < 3; ++row) {
    arrows.push_back(SecondColumnAt(picture, list->visualItemRect(list->item(row)), background));
  }
  EXPECT_GT(arrows[0], list->fontMetrics().horizontalAdvance("a-much-longer-name.jpg"));
  EXPECT_EQ(arrows, (std::vector<int>(3, arrows[0])));

  window.SetDlgItemText(1, "/pics/");
  window.GotoDlgCtrl(1);
  QTest::keyClicks(QApplication::focusWidget(), "typed");
  EXPECT_EQ(window.GetDlgItemText(1), "/pics/");
}

TEST(QtDialogWindow, TabVisitsTheTabStopsInTemplateOrderAndSkipsTheRest) {
  QtDialogWindow window(SmallTemplate());
  ShowActive(window);
  window.GotoDlgCtrl(kName);
  std::vector<QWidget*> visited{QApplication::focusWidget()};
  for (int i = 0; i < 7; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited.push_back(QApplication::focusWidget());
  }
  const std::vector<QWidget*> expected{window.Control(kName), window.Control(kKeep), window.Control(kOther),
                                       window.Control(kRun),  window.Control(kOff),  window.Control(kCancel),
                                       window.Control(kOk),   window.Control(kName)};
  EXPECT_EQ(visited, expected);
}

TEST(QtDialogWindow, ALabelsMnemonicLeadsToTheNextTabStopUnlessItShowsItsAmpersands) {
  QtDialogWindow window(SmallTemplate());
  ShowActive(window);
  window.GotoDlgCtrl(kName);
  QTest::keyClick(window.Dialog(), Qt::Key_F, Qt::AltModifier);  // "&Fish && Chips" shows "&" itself
  EXPECT_EQ(QApplication::focusWidget(), window.Control(kName));
  QTest::keyClick(window.Dialog(), Qt::Key_L, Qt::AltModifier);  // "&Label:"
  EXPECT_EQ(QApplication::focusWidget(), window.Control(kOther));
  QTest::keyClick(window.Dialog(), Qt::Key_K, Qt::AltModifier);  // the check box "&Keep" toggles (Qt animates it)
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.IsDlgButtonChecked(kKeep) == 1; }));
}

TEST(QtDialogWindow, AFrameLiesBehindTheControlsAndTakesNoClickNorFocus) {
  QtDialogWindow window(SmallTemplate());
  ShowActive(window);
  QWidget* frame = window.Control(kFrame);
  QWidget* box = window.Control(kKeep);
  EXPECT_EQ(frame->focusPolicy(), Qt::NoFocus);

  // A click inside the frame, on the check box, checks the box.
  const QPoint onTheBox = box->geometry().center();
  ASSERT_TRUE(frame->geometry().contains(onTheBox));
  QTest::mouseClick(window.Dialog()->windowHandle(), Qt::LeftButton, {}, onTheBox);
  EXPECT_EQ(window.IsDlgButtonChecked(kKeep), 1);

  // A click on the frame's empty inside reaches the dialog, not the frame.
  const QPoint empty = frame->geometry().topLeft() + QPoint(3, frame->height() - 3);
  EXPECT_EQ(window.Dialog()->childAt(empty), nullptr);
}

}  // namespace
