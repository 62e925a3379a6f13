#include "renumber/RenameLog.h"

std::optional<LoggedRename> ParseLogLine(std::string_view line) {
  constexpr std::string_view kArrow = "\t\t-> ";
  const size_t arrow = line.find(kArrow);
  if (arrow == std::string_view::npos || arrow == 0 || arrow + kArrow.size() == line.size()) return std::nullopt;
  return LoggedRename{std::string(line.substr(0, arrow)), std::string(line.substr(arrow + kArrow.size()))};
}
