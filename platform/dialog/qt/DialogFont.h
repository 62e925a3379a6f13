#pragma once
// The font of a dialog built from a template, and its dialog units in pixels.
// Templates name the Windows dialog face ("MS Sans Serif"), which Linux does
// not have; every dialog takes the desktop's own font at the template's size.

#include <QFont>
#include <QRect>

#include "platform/dialog/DialogTemplate.h"

struct DialogBaseUnits {
  int averageCharWidth;  // a quarter of it is one horizontal dialog unit
  int charHeight;        // an eighth of it is one vertical dialog unit
};

QFont DialogFont(const DialogTemplate& dialogTemplate);

// The alphabet's width over 52, rounded, and the font's height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

// A rectangle in dialog units, in pixels.
QRect ToPixels(int x, int y, int width, int height, DialogBaseUnits units);
