#pragma once
// Templates are sized for the Windows dialog face; a stand-in face (Wine's,
// a desktop's) is often wider, so a label or check box that fits there can
// lose its last word. Such a one-line text control grows to the right into
// free room to show its whole text: never towards another control on its
// line (the gap the template left stays whole), out of the frame it starts
// in, or past the dialog's edge. What still does not fit is the window
// system's to draw smaller. Pure geometry in pixels, so every window system
// fits texts alike.
//   a label at 81..131 px wanting 70 px, another control at 141 px => 50 px
//   a label alone on its line, 6 px short                         => 6 px wider
//   a label whose text fits, or one of two lines or more           => unchanged

#include <vector>

struct PlacedControl {
  int left, top, width, height;  // pixels, within the dialog
  enum Kind { kText, kFrame, kOther } kind;
  int wantedWidth;  // a text control's whole text, its box included; else unused
};

// The width each control gets: text controls possibly wider, all others as
// they are. Limits come from the template's geometry, so widening one control
// never moves another's limit.
std::vector<int> WidenedWidths(const std::vector<PlacedControl>& controls, int dialogWidth, int lineHeight);
