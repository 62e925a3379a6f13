#include "renumber/CountLineProgress.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "renumber/ControlIds.h"

namespace {

// The count line's text while counting, as "   %ld" prints it; a pass sets
// it for every entry.
//   0 => "   0"   123456 => "   123456"
void FormatCount(long count, char (&out)[32]) {
  std::memcpy(out, "   ", 3);
  *std::to_chars(out + 3, out + sizeof out - 1, count).ptr = '\0';
}

}  // namespace

void CountLineProgress::Started(int, long) { window_.PumpMessages(); }

void CountLineProgress::Renaming(long renamed) {
  char countText[32];
  FormatCount(renamed, countText);
  window_.PumpMessages();
  window_.SetDlgItemText(kCountLine, countText);
  window_.PumpMessages();
}

void CountLineProgress::Finished(long renamed) {
  char countText[32];
  std::snprintf(countText, sizeof countText, "   %ld files.", renamed);
  window_.SetDlgItemText(kCountLine, countText);
  window_.PumpMessages();
}
