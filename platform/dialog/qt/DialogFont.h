#pragma once
// The font of a dialog built from a template, and its dialog units in pixels.
// Templates name the Windows dialog face ("MS Sans Serif"), which Linux does
// not have; every dialog takes the desktop's own font, at the template's size
// or the desktop's, whichever is larger: a user who asked for larger text
// gets it, and the whole dialog grows with it, as dialog units do.
//   template 8 pt, desktop 9 pt  => 9 pt
//   template 8 pt, desktop 11 pt => 11 pt
//   template 8 pt, desktop 7 pt  => 8 pt

#include <QFont>
#include <QRect>

#include "platform/dialog/DialogTemplate.h"

// A horizontal dialog unit is a quarter of the font's average character
// width, which is the alphabet's width over 52. The window system rounds
// that average to whole pixels; here it is kept exact, since the rounding
// would take up to a fourteenth of the room from every text at some sizes
// (DejaVu Sans at 9 pt: 7.41 pixels, rounded to 7).
//   alphabet 385 pixels wide: 332 units => 614 pixels
//   font 14 pixels high:      221 units => 386 pixels
struct DialogBaseUnits {
  int alphabetWidth;  // of kDialogUnitAlphabet
  int charHeight;     // an eighth of it is one vertical dialog unit

  int X(int units) const { return units * alphabetWidth / (52 * 4); }
  int Y(int units) const { return units * charHeight / 8; }
  // The average character width, rounded: four horizontal units.
  int AverageCharWidth() const { return X(4); }
};

QFont DialogFont(const DialogTemplate& dialogTemplate);

DialogBaseUnits BaseUnitsOf(const QFont& font);

// A rectangle in dialog units, in pixels.
QRect ToPixels(int x, int y, int width, int height, DialogBaseUnits units);
