#include "platform/dialog/qt/TextFitting.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

// How far inside a frame's side, or the dialog's edge, a text may reach.
constexpr int kMarginUnits = 4;
// A font is made smaller in steps of this many points, down to half its size.
constexpr qreal kShrinkStep = 0.25;

int LabelFlags(const QLabel* label) {
  const int mnemonic = label->buddy() ? Qt::TextShowMnemonic : 0;  // "&x" shows as an underlined x
  return Qt::AlignLeft | Qt::AlignTop | mnemonic | (label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine);
}

// How much of a check box's width is not room for its text: the box and
// the gap after it, as its style lays them out.
int CheckBoxNonTextWidth(const QCheckBox* box) {
  constexpr int kAnyWidth = 1000;
  QStyleOptionButton option;
  option.initFrom(box);
  option.text = box->text();
  option.rect = QRect(0, 0, kAnyWidth, box->height());
  return kAnyWidth - box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width();
}

int Ceil(qreal value) { return static_cast<int>(std::ceil(value)); }

}  // namespace

TextFitting::TextFitting(const std::vector<QWidget*>& textControls, const std::vector<QWidget*>& frames,
                         DialogBaseUnits units)
    : lineHeight_(units.charHeight) {
  const int margin = units.X(kMarginUnits);
  // Every limit comes from the template's geometry, before any control is
  // widened, so that widening one does not move another's limit.
  for (QWidget* control : textControls) {
    const QRect own = control->geometry();
    int limit = control->parentWidget()->width() - margin;
    const QWidget* innermost = nullptr;
    for (const QWidget* frame : frames) {
      const QRect rect = frame->geometry();
      if (!rect.contains(own.topLeft())) continue;
      if (!innermost || innermost->geometry().contains(rect)) innermost = frame;
    }
    if (innermost) limit = std::min(limit, innermost->geometry().right() + 1 - margin);
    // A neighbour within reach, to the right on the same line, keeps its
    // gap: the control keeps its template width.
    for (const QObject* child : control->parentWidget()->children()) {
      const auto* other = qobject_cast<const QWidget*>(child);
      if (!other || other == control || std::find(frames.begin(), frames.end(), other) != frames.end()) continue;
      const QRect rect = other->geometry();
      const bool sameLine = rect.top() <= own.bottom() && rect.bottom() >= own.top();
      if (sameLine && rect.left() > own.right() && rect.left() < limit) limit = own.right() + 1;
    }
    rooms_[control] = {own, std::max(limit, own.right() + 1), control->font()};
    if (auto* label = qobject_cast<QLabel*>(control)) label->setWordWrap(own.height() >= 2 * lineHeight_);
  }
  for (QWidget* control : textControls) Fit(control);
}

int TextFitting::NeededWidth(const QWidget* control) {
  const QFontMetricsF metrics(control->font());
  if (const auto* label = qobject_cast<const QLabel*>(control)) {
    return Ceil(metrics.size(LabelFlags(label) & ~Qt::TextWordWrap, label->text()).width());
  }
  if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
    return CheckBoxNonTextWidth(box) + Ceil(metrics.size(Qt::TextShowMnemonic, box->text()).width());
  }
  return control->width();
}

bool TextFitting::TextFits(const QWidget* control) const {
  const QFontMetricsF metrics(control->font());
  const auto* label = qobject_cast<const QLabel*>(control);
  if (label && label->wordWrap()) {
    const QRectF lines = metrics.boundingRect(QRectF(0, 0, control->width(), 100000), LabelFlags(label), label->text());
    return lines.width() <= control->width() && lines.height() <= control->height();
  }
  return NeededWidth(control) <= control->width() && metrics.height() <= control->height();
}

void TextFitting::Fit(QWidget* control) {
  const auto found = rooms_.find(control);
  if (found == rooms_.end()) return;
  const Room& room = found->second;
  control->setFont(room.font);
  control->setGeometry(room.templateRect);
  if (TextFits(control)) return;

  const auto* label = qobject_cast<const QLabel*>(control);
  if (!label || !label->wordWrap()) {
    const int widest = room.rightLimit - room.templateRect.left();
    control->resize(std::clamp(NeededWidth(control), room.templateRect.width(), widest), control->height());
  }
  QFont smaller = room.font;
  const qreal smallest = room.font.pointSizeF() / 2;
  while (!TextFits(control) && smaller.pointSizeF() - kShrinkStep >= smallest) {
    smaller.setPointSizeF(smaller.pointSizeF() - kShrinkStep);
    control->setFont(smaller);
  }
}
