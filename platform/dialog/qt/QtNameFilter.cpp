#include "platform/dialog/qt/QtNameFilter.h"

std::string QtNameFilter(const FileDialogChoice& choice) {
  std::string patterns;
  if (choice.executables) {
    patterns = "*";  // any name; the dialog itself keeps programs and the patterns' files
  } else {
    for (const auto& pattern : choice.patterns) patterns += (patterns.empty() ? "" : " ") + pattern;
  }
  std::string filter = choice.description + " (" + patterns + ")";
  filter.erase(0, filter.find_first_not_of(' '));
  return filter;
}
