#include "platform/dialog/qt/DialogFont.h"

#include <QApplication>
#include <QFontMetrics>

#include "platform/dialog/DialogBaseUnits.h"

QFont DialogFont(const DialogTemplate& dialogTemplate) {
  QFont font = QApplication::font();  // the desktop's general font
  if (dialogTemplate.fontPoints > 0) font.setPointSize(dialogTemplate.fontPoints);
  return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  return {AverageCharWidthOfAlphabet(metrics.horizontalAdvance(QString::fromLatin1(kDialogUnitAlphabet))),
          metrics.height()};
}

QRect ToPixels(int x, int y, int width, int height, DialogBaseUnits units) {
  return QRect(DialogUnitsToPixelsX(x, units.averageCharWidth), DialogUnitsToPixelsY(y, units.charHeight),
               DialogUnitsToPixelsX(width, units.averageCharWidth), DialogUnitsToPixelsY(height, units.charHeight));
}
