// The program's dialogs as drawn, measured by geometry: at the display
// scale the test runs at (QT_SCALE_FACTOR; CTest runs these tests at 1, 1.5
// and 2) and with the desktop's font at its own size, 10 and 11 points,
// every text is drawn whole and apart from every other, each frame's
// caption sits in its top line, and each control inside a frame stays
// inside it.

#include <QCheckBox>
#include <QDialog>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <cmath>
#include <sstream>

#include "app/DialogTemplates.h"
#include "platform/dialog/qt/DialogFont.h"
#include "platform/dialog/qt/DialogFrame.h"
#include "platform/dialog/qt/QtDialogWindow.h"
#include "tests/qt/QtTestSupport.h"

namespace {

// Where a control draws, in the dialog's coordinates: a label's text, a
// check box's box and text, a frame's caption, the whole of anything else.
// `whole` is false when the text does not fit the control and is cut.
struct Drawn {
  QRect rect;
  bool whole = true;
  bool text = false;  // a label's, a check box's or a caption's: it may not even touch another
};

QRect InDialog(const QWidget* control, const QRectF& rect) {
  return rect.toAlignedRect().translated(control->pos());
}

Drawn DrawnPart(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) {
    if (!label->pixmap().isNull()) return {control->geometry(), true};
    if (label->text().isEmpty()) return {};
    const int flags = Qt::AlignLeft | Qt::AlignTop | (label->wordWrap() ? Qt::TextWordWrap : 0) |
                      (label->buddy() ? Qt::TextShowMnemonic : 0);
    const QRectF text = QFontMetricsF(label->font()).boundingRect(QRectF(label->rect()), flags, label->text());
    return {InDialog(label, text), QRectF(label->rect()).contains(text), true};
  }
  if (auto* box = qobject_cast<QCheckBox*>(control)) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    const QRect contents = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    const QRectF text = QFontMetricsF(box->font()).boundingRect(
        QRectF(contents), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, box->text());
    return {InDialog(box, QRectF(indicator).united(text)), QRectF(contents).contains(text), true};
  }
  if (auto* frame = dynamic_cast<DialogFrame*>(control)) {
    return {frame->CaptionRect().translated(frame->pos()), true, true};
  }
  if (auto* button = qobject_cast<QPushButton*>(control)) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const qreal textWidth = QFontMetricsF(button->font()).size(Qt::TextShowMnemonic, button->text()).width();
    return {button->geometry(), textWidth <= contents.width()};
  }
  return {control->geometry(), true};
}

std::string Describe(const DialogTemplate& dialog, size_t index) {
  const ControlTemplate& control = dialog.controls[index];
  std::ostringstream text;
  text << dialog.caption << " #" << index << " \"" << control.text << "\"";
  return text.str();
}

// Whether the template puts control `j` right of control `i` on the same
// line (in the same frame, see FrameOf, for it to be a neighbour).
bool RightNeighbour(const DialogTemplate& dialog, size_t i, size_t j) {
  const ControlTemplate& a = dialog.controls[i];
  const ControlTemplate& b = dialog.controls[j];
  const bool sameLine = b.y < a.y + a.height && a.y < b.y + b.height;
  return sameLine && b.x >= a.x + a.width && b.kind != ControlKind::kGroupBox && a.kind != ControlKind::kGroupBox;
}

// The frame of the template that a control starts in: the smallest that
// holds its top left corner; -1 when none does.
int FrameOf(const DialogTemplate& dialog, size_t index) {
  const ControlTemplate& control = dialog.controls[index];
  int found = -1;
  for (size_t i = 0; i < dialog.controls.size(); ++i) {
    const ControlTemplate& frame = dialog.controls[i];
    if (i == index || frame.kind != ControlKind::kGroupBox) continue;
    const bool holds = control.x >= frame.x && control.x < frame.x + frame.width && control.y >= frame.y &&
                       control.y < frame.y + frame.height;
    if (holds && (found < 0 || frame.width * frame.height <
                                   dialog.controls[found].width * dialog.controls[found].height)) {
      found = static_cast<int>(i);
    }
  }
  return found;
}

// The smallest rectangle around every pixel of `area` that is not the
// background colour; empty when there is none.
QRect InkIn(const QImage& image, const QRect& area, QRgb background) {
  QRect ink;
  const QRect inside = area & image.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (image.pixel(x, y) != background) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

// Whether every column of `area` has a pixel that is not the background.
bool InkedAcross(const QImage& image, const QRect& area, QRgb background) {
  for (int x = area.left(); x <= area.right(); ++x) {
    bool inked = false;
    for (int y = area.top(); y <= area.bottom() && !inked; ++y) inked = image.pixel(x, y) != background;
    if (!inked) return false;
  }
  return true;
}

// A rectangle of logical pixels in the device pixels of a picture taken at `scale`.
QRect ToDevice(const QRect& rect, qreal scale) {
  return QRectF(rect.x() * scale, rect.y() * scale, rect.width() * scale, rect.height() * scale).toAlignedRect();
}

// The device pixels wholly inside a rectangle of logical pixels.
QRect ToDeviceInside(const QRect& rect, qreal scale) {
  const auto first = [scale](int at) { return static_cast<int>(std::ceil(at * scale)); };
  const auto last = [scale](int at) { return static_cast<int>(std::floor((at + 1) * scale)) - 1; };
  return QRect(QPoint(first(rect.left()), first(rect.top())), QPoint(last(rect.right()), last(rect.bottom())));
}

class QtWindowGeometry : public QtWindowTest {
 protected:
  void TearDown() override {
    QApplication::setFont(desktopFont_);
    QtWindowTest::TearDown();
  }

  // The desktop font at each size a user might choose.
  std::vector<QFont> DesktopFonts() const {
    std::vector<QFont> fonts{desktopFont_};
    for (int points : {10, 11}) {
      QFont larger = desktopFont_;
      larger.setPointSize(points);
      fonts.push_back(larger);
    }
    return fonts;
  }

  const QFont desktopFont_ = QApplication::font();
};

const DialogTemplate* const kDialogs[] = {&MainDialogTemplate(), &AboutDialogTemplate(), &PreviewDialogTemplate()};

TEST_F(QtWindowGeometry, EveryTextIsDrawnWholeApartFromTheOthersAndInsideItsFrame) {
  for (const QFont& desktop : DesktopFonts()) {
    QApplication::setFont(desktop);
    for (const DialogTemplate* dialog : kDialogs) {
      SCOPED_TRACE(std::string(dialog->caption) + " at " + std::to_string(desktop.pointSize()) + " pt, scale " +
                   std::to_string(qApp->devicePixelRatio()));
      QtDialogWindow window(*dialog);
      window.Dialog()->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(window.Dialog()));
      const std::vector<QWidget*> controls = window.Controls();
      ASSERT_EQ(controls.size(), dialog->controls.size());
      const QRect dialogRect = window.Dialog()->rect();

      const DialogBaseUnits units = BaseUnitsOf(window.Dialog()->font());
      std::vector<Drawn> drawn;
      for (QWidget* control : controls) drawn.push_back(DrawnPart(control));
      for (size_t i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(drawn[i].whole) << Describe(*dialog, i) << " is cut";
        EXPECT_TRUE(dialogRect.contains(controls[i]->geometry())) << Describe(*dialog, i);
        for (size_t j = i + 1; j < controls.size(); ++j) {
          const int apart = drawn[i].text || drawn[j].text ? 1 : 0;
          EXPECT_FALSE(drawn[i].rect.adjusted(-apart, -apart, apart, apart).intersects(drawn[j].rect))
              << Describe(*dialog, i) << " and " << Describe(*dialog, j) << (apart ? " touch" : " overlap");
          // A text keeps at least the template's gap to its neighbour.
          const ControlTemplate& left = dialog->controls[i];
          if (drawn[i].text && RightNeighbour(*dialog, i, j) && FrameOf(*dialog, i) == FrameOf(*dialog, j)) {
            EXPECT_LE(drawn[i].rect.right() + 1, units.X(left.x + left.width))
                << Describe(*dialog, i) << " comes closer to " << Describe(*dialog, j) << " than the template";
          }
        }
        const int frameIndex = FrameOf(*dialog, i);
        if (frameIndex < 0) continue;
        const auto* frame = dynamic_cast<DialogFrame*>(controls[frameIndex]);
        ASSERT_NE(frame, nullptr);
        // Inside the frame's lines: below the top line, within the sides and the bottom.
        const QRect inside = frame->FrameRect().adjusted(2, 2, -2, -2).translated(frame->pos());
        const bool drawnInside = drawn[i].rect.isNull() || inside.contains(drawn[i].rect);
        EXPECT_TRUE(inside.contains(controls[i]->geometry()) && drawnInside)
            << Describe(*dialog, i) << " leaves " << Describe(*dialog, frameIndex);
      }
    }
  }
}

TEST_F(QtWindowGeometry, EachFramesCaptionIsDrawnInItsTopLine) {
  for (const QFont& desktop : DesktopFonts()) {
    QApplication::setFont(desktop);
    for (const DialogTemplate* dialog : kDialogs) {
      SCOPED_TRACE(std::string(dialog->caption) + " at " + std::to_string(desktop.pointSize()) + " pt");
      QtDialogWindow window(*dialog);
      window.Dialog()->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(window.Dialog()));
      const QImage picture = window.Dialog()->grab().toImage();
      const qreal scale = picture.devicePixelRatio();
      const QRgb background = window.Dialog()->palette().window().color().rgb();
      for (QWidget* control : window.Controls()) {
        const auto* frame = dynamic_cast<DialogFrame*>(control);
        if (!frame || frame->title().isEmpty()) continue;
        SCOPED_TRACE(frame->title().toStdString());
        const QRect caption = frame->CaptionRect().translated(frame->pos());
        const QRect line = frame->FrameRect().translated(frame->pos());
        // The frame starts where the template places it, and its top line
        // runs through the caption.
        EXPECT_EQ(frame->geometry().top(), caption.top());
        EXPECT_GT(line.top(), caption.top());
        EXPECT_LT(line.top(), caption.bottom());
        EXPECT_GT(caption.left(), line.left());
        EXPECT_LT(caption.right(), line.right());

        // Above the line, the caption's text is all there is.
        const QRect aboveLine(line.left(), frame->y(), line.width(), line.top() - frame->y());
        const QRect ink = InkIn(picture, ToDeviceInside(aboveLine, scale), background);
        EXPECT_FALSE(ink.isEmpty()) << "no caption above the line";
        EXPECT_TRUE(ToDevice(caption, scale).adjusted(-1, -1, 1, 1).contains(ink)) << "ink outside the caption";
        // The line is drawn on both sides of the caption and broken behind it.
        const auto lineRow = [&](int from, int to) { return ToDevice(QRect(from, line.top(), to - from, 1), scale); };
        EXPECT_TRUE(InkedAcross(picture, lineRow(line.left() + 2, caption.left() - 1), background));
        EXPECT_TRUE(InkedAcross(picture, lineRow(caption.right() + 2, line.right() - 2), background));
        const QPoint inTheGap(static_cast<int>((caption.left() + 1) * scale),
                              static_cast<int>((line.top() + 0.5) * scale));
        EXPECT_EQ(picture.pixel(inTheGap), background) << "the line runs on behind the caption";
      }
    }
  }
}

}  // namespace
