#include "viewer/ScriptLiteral.h"

namespace {

// Bytes the browser would read as part of the address's syntax, or that
// cannot stand in a script literal as they are.
bool NeedsPercentForm(unsigned char byte) {
  switch (byte) {
    case '%':
    case '#':
    case '?':
    case '\\':
    case ':':
    case '|':  // "C|/x" reads as a drive to a browser that follows the URL standard
      return true;
    default:
      return byte < 0x20 || byte >= 0x7F;
  }
}

}  // namespace

std::string ScriptLiteralText(std::string_view text) {
  static const char kHexDigits[] = "0123456789ABCDEF";
  std::string literal;
  literal.reserve(text.size());
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte == '"') {
      literal += "\\\"";
    } else if (byte == '<') {
      literal += "\\x3C";
    } else if (NeedsPercentForm(byte)) {
      literal += '%';
      literal += kHexDigits[byte >> 4];
      literal += kHexDigits[byte & 0x0F];
    } else {
      literal += c;
    }
  }
  return literal;
}

std::string NameStartLiteral(std::string_view prefix) {
  std::string literal;
  size_t blanks = 0;
  while (blanks < prefix.size() && prefix[blanks] == ' ') {
    literal += "%20";
    ++blanks;
  }
  if (blanks == 0 && !prefix.empty() && prefix[0] == '/') literal += "./";
  return literal + ScriptLiteralText(prefix.substr(blanks));
}
