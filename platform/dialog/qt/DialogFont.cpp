#include "platform/dialog/qt/DialogFont.h"

#include <QApplication>
#include <QFontMetrics>

#include "platform/dialog/DialogBaseUnits.h"

QFont DialogFont(const DialogTemplate& dialogTemplate) {
  QFont font = QApplication::font();  // the desktop's general font
  if (dialogTemplate.fontPoints > font.pointSizeF()) font.setPointSize(dialogTemplate.fontPoints);
  return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  return {metrics.horizontalAdvance(QString::fromLatin1(kDialogUnitAlphabet)), metrics.height()};
}

QRect ToPixels(int x, int y, int width, int height, DialogBaseUnits units) {
  return QRect(units.X(x), units.Y(y), units.X(width), units.Y(height));
}
