#include "platform/dialog/TextWidening.h"

#include <algorithm>

namespace {

// How far right the control may reach: to the inside of the frame it
// starts in, or to the dialog's edge; but not at all when another control
// stands on its line within that reach (the gap the template left between
// them stays whole).
int RightLimit(size_t index, const std::vector<PlacedControl>& controls, int dialogWidth) {
  const PlacedControl& own = controls[index];
  const int ownRight = own.left + own.width;
  const int ownBottom = own.top + own.height;
  int limit = dialogWidth;
  for (const PlacedControl& frame : controls) {
    if (frame.kind != PlacedControl::kFrame) continue;
    const bool startsInside = own.left >= frame.left && own.left < frame.left + frame.width &&
                              own.top >= frame.top && own.top < frame.top + frame.height;
    if (startsInside) limit = std::min(limit, frame.left + frame.width - 2);  // inside its border
  }
  for (size_t i = 0; i < controls.size(); ++i) {
    const PlacedControl& other = controls[i];
    if (i == index || other.kind == PlacedControl::kFrame) continue;
    const bool sameLine = other.top < ownBottom && other.top + other.height > own.top;
    if (sameLine && other.left >= ownRight && other.left < limit) return ownRight;
  }
  return limit;
}

}  // namespace

std::vector<int> WidenedWidths(const std::vector<PlacedControl>& controls, int dialogWidth, int lineHeight) {
  std::vector<int> widths;
  for (size_t i = 0; i < controls.size(); ++i) {
    const PlacedControl& control = controls[i];
    if (control.kind != PlacedControl::kText || control.height >= 2 * lineHeight) {
      widths.push_back(control.width);
      continue;
    }
    const int room = std::max(control.width, RightLimit(i, controls, dialogWidth) - control.left);
    widths.push_back(std::clamp(control.wantedWidth, control.width, room));
  }
  return widths;
}
