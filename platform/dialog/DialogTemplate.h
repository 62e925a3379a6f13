#pragma once
// A dialog described as data: its caption, size, font and controls, with
// positions in dialog units. A window system builds the real window from it.

#include <cstdint>
#include <vector>

// Two pictures of one icon, as XPM text: 32 x 32 and 16 x 16.
struct IconImages {
  const char* const* large;
  const char* const* small;
};

enum class ControlKind {
  kEdit,               // single line, bordered, scrolls as text is typed
  kPushButton,
  kDefaultPushButton,  // pressed by Enter anywhere in the dialog
  kCheckBox,           // checks and unchecks itself when clicked
  kLabel,              // left-aligned static text
  kGroupBox,           // a frame with a caption
  kIcon,               // the dialog's icon
  kListBox,            // lines, one under the other, scrolled when they do not fit; the tabs
                       // of a line divide it into columns that line up
};

// Style bits beyond what a control's kind implies.
namespace ControlStyle {
constexpr uint32_t kTabStop = 0x1;   // reached with Tab, in template order
constexpr uint32_t kNoPrefix = 0x2;  // "&" is shown, not taken as a mnemonic
constexpr uint32_t kReadOnly = 0x4;  // an edit whose text can be read and copied, not changed
}  // namespace ControlStyle

struct ControlTemplate {
  int id;  // -1 for a control nobody addresses
  ControlKind kind;
  const char* text;
  int x, y, width, height;  // dialog units
  uint32_t style;
};

struct DialogTemplate {
  const char* caption;
  int width, height;  // dialog units
  const char* fontName;  // the font the units are measured in; a window system may stand in a like one
  int fontPoints;
  bool minimizeAndMaximizeBoxes;
  bool ownTaskbarButton;  // an application window
  const IconImages* icon;  // the window's icon and any kIcon control's picture; may be null
  std::vector<ControlTemplate> controls;  // template order is tab order
};

// Dialog units to pixels, as the window system converts them: horizontally
// in quarters of the dialog font's average character width, vertically in
// eighths of its height.
//   average width 6, height 13: x 260 => 390, y 221 => 359
inline int DialogUnitsToPixelsX(int units, int averageCharWidth) { return units * averageCharWidth / 4; }
inline int DialogUnitsToPixelsY(int units, int charHeight) { return units * charHeight / 8; }
