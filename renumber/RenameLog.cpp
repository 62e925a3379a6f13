#include "renumber/RenameLog.h"

int WriteLogLine(FILE* stream, const char* directory, const char* oldName, const char* newName) {
  return std::fprintf(stream, "%s%s\t\t-> %s%s\n", directory, oldName, directory, newName);
}

bool FitsOnLogLine(std::string_view name) {
  return name.find_first_of("\n\r") == std::string_view::npos && name.find(kLogArrow) == std::string_view::npos;
}

std::optional<LoggedRename> ParseLogLine(std::string_view line) {
  const size_t arrow = line.find(kLogArrow);
  if (arrow == std::string_view::npos || arrow == 0 || arrow + kLogArrow.size() == line.size()) return std::nullopt;
  return LoggedRename{std::string(line.substr(0, arrow)), std::string(line.substr(arrow + kLogArrow.size()))};
}
