#include "platform/dialog/qt/Utf8ByteLimit.h"

#include <algorithm>

namespace {

qsizetype Utf8Size(QStringView text) {
  qsizetype bytes = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i].unicode();
    if (unit < 0x80) {
      bytes += 1;
    } else if (unit < 0x800) {
      bytes += 2;
    } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
      bytes += 4;  // one character outside the basic plane, two UTF-16 units
      ++i;
    } else {
      bytes += 3;
    }
  }
  return bytes;
}

// How many UTF-16 units from the start of `text` fit in `room` bytes without
// splitting a character.
qsizetype UnitsThatFit(QStringView text, qsizetype room) {
  qsizetype units = 0;
  while (units < text.size()) {
    const qsizetype length = text[units].isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    room -= Utf8Size(text.sliced(units, length));
    if (room < 0) break;
    units += length;
  }
  return units;
}

}  // namespace

Utf8ByteLimit::Utf8ByteLimit(QLineEdit* edit, int maxBytes)
    : QValidator(edit), maxBytes_(maxBytes), previous_(edit->text()) {
  connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { previous_ = text; });
}

QValidator::State Utf8ByteLimit::validate(QString& input, int& cursor) const {
  const qsizetype bytes = Utf8Size(input);
  if (bytes <= maxBytes_ || bytes <= Utf8Size(previous_)) return Acceptable;

  // The change lengthens the text past the limit. What it inserted ends at
  // the cursor and starts where the text first differs from before.
  const qsizetype tail = input.size() - cursor;
  if (tail < 0 || tail > previous_.size() || QStringView(input).last(tail) != QStringView(previous_).last(tail)) {
    return Invalid;
  }
  const qsizetype startBound = std::min<qsizetype>(cursor, previous_.size() - tail);
  qsizetype start = 0;
  while (start < startBound && input[start] == previous_[start]) ++start;
  const QString kept = input.left(start) + input.mid(cursor);
  const qsizetype fitting = UnitsThatFit(QStringView(input).sliced(start, cursor - start), maxBytes_ - Utf8Size(kept));
  if (fitting == 0) return Invalid;  // the edit takes the change back itself
  input = input.left(start + fitting) + input.mid(cursor);
  cursor = static_cast<int>(start + fitting);
  return Acceptable;
}
