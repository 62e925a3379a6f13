#include "platform/dialog/qt/TextFitting.h"

#include <QCheckBox>
#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace {

int WholeTextWidth(const QWidget* control) {
  if (const auto* label = qobject_cast<const QLabel*>(control)) {
    const int flags = label->buddy() ? Qt::TextShowMnemonic : 0;  // "&x" shows as an underlined x
    return label->fontMetrics().size(flags, label->text()).width();
  }
  return control->sizeHint().width();  // a check box: its box, the gap and the text
}

// How far right the control may reach: the nearest control that starts
// right of it on the same line, the frame it starts in, the dialog's edge.
int RightLimit(const QWidget* control, const std::vector<QWidget*>& frames) {
  const QRect own = control->geometry();
  int limit = control->parentWidget()->width();
  for (const QObject* child : control->parentWidget()->children()) {
    const auto* other = qobject_cast<const QWidget*>(child);
    if (!other || other == control || std::find(frames.begin(), frames.end(), other) != frames.end()) continue;
    const QRect rect = other->geometry();
    const bool sameLine = rect.top() <= own.bottom() && rect.bottom() >= own.top();
    if (sameLine && rect.left() >= own.right()) limit = std::min(limit, rect.left());
  }
  for (const QWidget* frame : frames) {
    const QRect rect = frame->geometry();
    if (rect.contains(own.topLeft())) limit = std::min(limit, rect.right() - 2);  // inside its border
  }
  return limit;
}

}  // namespace

void WidenToShowWholeTexts(const std::vector<QWidget*>& textControls, const std::vector<QWidget*>& frames,
                           int lineHeight) {
  // Limits first, from the template's geometry, so that widening one
  // control does not move another's limit.
  std::vector<int> widths;
  for (const QWidget* control : textControls) {
    const int width = control->height() >= 2 * lineHeight
                          ? control->width()
                          : std::clamp(WholeTextWidth(control), control->width(),
                                       std::max(control->width(), RightLimit(control, frames) - control->x()));
    widths.push_back(width);
  }
  for (size_t i = 0; i < textControls.size(); ++i) textControls[i]->resize(widths[i], textControls[i]->height());
}
