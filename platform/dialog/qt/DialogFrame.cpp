#include "platform/dialog/qt/DialogFrame.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <qdrawutil.h>

#include "platform/dialog/qt/DialogFont.h"

namespace {

// How far the line stays away from the caption on either side.
constexpr int kCaptionGap = 2;

constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;

}  // namespace

DialogFrame::DialogFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

int DialogFrame::CaptionInset() const {
  // The window system starts the caption about one average character in.
  return BaseUnitsOf(font()).AverageCharWidth();
}

QRect DialogFrame::FrameRect() const {
  const int halfLine = fontMetrics().height() / 2;
  return QRect(0, halfLine, width(), std::max(0, height() - halfLine));
}

QRect DialogFrame::CaptionRect() const {
  if (title().isEmpty()) return QRect();
  const int textWidth = fontMetrics().size(kCaptionFlags, title()).width();
  const int left = CaptionInset() - kCaptionGap;
  const int right = std::min(CaptionInset() + textWidth + kCaptionGap, width() - 2);  // inside the frame's ends
  if (right <= left) return QRect();
  return QRect(left, 0, right - left, fontMetrics().height());
}

void DialogFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // An etched line, as the window system's frames are drawn: dark, then light.
  qDrawShadeRect(&painter, FrameRect(), palette(), true, 1, 0);
  const QRect caption = CaptionRect();
  if (caption.isEmpty()) return;
  painter.fillRect(caption, palette().window());  // breaks the line behind the text
  painter.setClipRect(caption);
  style()->drawItemText(&painter, caption.adjusted(kCaptionGap, 0, -kCaptionGap, 0), kCaptionFlags, palette(),
                        isEnabled(), title(), QPalette::WindowText);
}
