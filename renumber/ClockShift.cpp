#include "renumber/ClockShift.h"

#include <cctype>

namespace {

constexpr int64_t kMostSeconds = 3650LL * 86400;

bool SameModel(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

bool ParseClockOffset(const std::string& text, int64_t& seconds) {
  const struct {
    char unit;
    int64_t seconds;
  } units[] = {{'d', 86400}, {'h', 3600}, {'m', 60}, {'s', 1}};
  size_t at = 0;
  int64_t sign = 1;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) sign = text[at++] == '-' ? -1 : 1;
  int64_t total = 0;
  size_t nextUnit = 0;
  bool any = false;
  while (at < text.size()) {
    int64_t number = 0;
    size_t digits = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
      number = number * 10 + (text[at++] - '0');
      if (++digits > 9) return false;
    }
    if (digits == 0 || at >= text.size()) return false;
    while (nextUnit < std::size(units) && units[nextUnit].unit != text[at]) ++nextUnit;
    if (nextUnit == std::size(units)) return false;
    total += number * units[nextUnit++].seconds;
    if (total > kMostSeconds) return false;
    ++at;
    any = true;
  }
  if (!any) return false;
  seconds = sign * total;
  return true;
}

std::string ClockOffsetText(int64_t seconds) {
  std::string text = seconds < 0 ? "-" : "+";
  uint64_t left = seconds < 0 ? 0 - static_cast<uint64_t>(seconds) : static_cast<uint64_t>(seconds);
  const struct {
    char unit;
    uint64_t seconds;
  } units[] = {{'d', 86400}, {'h', 3600}, {'m', 60}, {'s', 1}};
  bool larger = false;
  for (const auto& unit : units) {
    const uint64_t count = left / unit.seconds;
    left %= unit.seconds;
    if (count == 0) continue;
    const std::string number = std::to_string(count);
    if (larger && unit.seconds < 3600 && number.size() < 2) text += '0';
    text += number + unit.unit;
    larger = true;
  }
  if (!larger) text += "0s";
  return text;
}

bool ParseClockShift(const std::string& text, ClockShift& shift) {
  const size_t equals = text.rfind('=');
  if (equals == std::string::npos || equals == 0) return false;
  int64_t seconds = 0;
  if (!ParseClockOffset(text.substr(equals + 1), seconds)) return false;
  shift = {text.substr(0, equals), seconds};
  return true;
}

int64_t ClockShiftOf(const std::vector<ClockShift>& shifts, const std::string& model) {
  int64_t seconds = 0;
  for (const ClockShift& shift : shifts) {
    if (SameModel(shift.model, model)) seconds = shift.seconds;
  }
  return seconds;
}
