#include "platform/dialog/FileDialogFilter.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

// "JPEG Files (*.jpg)" => "JPEG Files"; "Notes (plain)" stays as it is.
std::string WithoutOwnPatternList(const std::string& description) {
  const std::string text = Trimmed(description);
  const auto open = text.rfind('(');
  if (text.empty() || text.back() != ')' || open == std::string::npos) return text;
  if (text.find('*', open) == std::string::npos) return text;
  return Trimmed(text.substr(0, open));
}

void AddPatterns(const std::string& patternText, FileDialogChoice& choice) {
  size_t start = 0;
  while (start <= patternText.size()) {
    const auto end = std::min(patternText.find(';', start), patternText.size());
    std::string pattern = Trimmed(patternText.substr(start, end - start));
    start = end + 1;
    if (pattern.empty()) continue;
    if (EqualsIgnoringCase(pattern, "*.exe")) {
      choice.executables = true;
      continue;
    }
    if (pattern == "*.*") pattern = "*";
    if (std::find(choice.patterns.begin(), choice.patterns.end(), pattern) == choice.patterns.end()) {
      choice.patterns.push_back(pattern);
    }
  }
}

}  // namespace

std::vector<FileDialogChoice> FileDialogChoices(const char* filter) {
  std::vector<FileDialogChoice> choices;
  if (!filter) return choices;
  std::vector<std::string> parts;
  const std::string text = filter;
  size_t start = 0;
  while (start < text.size()) {
    const auto end = std::min(text.find('|', start), text.size());
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty() || parts[i + 1].empty()) break;
    FileDialogChoice choice;
    choice.description = WithoutOwnPatternList(parts[i]);
    AddPatterns(parts[i + 1], choice);
    if (choice.patterns.empty() && !choice.executables) continue;
    choices.push_back(choice);
  }
  return choices;
}
