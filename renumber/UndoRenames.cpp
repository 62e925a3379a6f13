#include "renumber/UndoRenames.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/FileServices.h"
#include "renumber/RenameLog.h"

namespace {

std::string InDirectory(const std::string& directory, const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  if (directory.empty() || directory.back() == '/') return directory + name;
  return directory + "/" + name;
}

// Every line of the log, or a message saying why there are none to trust.
// A last line without its line end was cut short by a kill: its rename never
// happened, so it is left out.
bool ReadLog(const std::string& path, std::vector<LoggedRename>& renames, std::string& problem) {
  FILE* log = Files().Open(path.c_str(), "r");
  if (!log) {
    problem = "Could not read " + path + ": " + std::strerror(errno);
    return false;
  }
  char* line = nullptr;
  size_t room = 0;
  ssize_t length;
  int number = 0;
  while ((length = getline(&line, &room, log)) >= 0) {
    ++number;
    std::string_view text(line, static_cast<size_t>(length));
    const bool whole = !text.empty() && text.back() == '\n';
    if (whole) text.remove_suffix(1);
    const auto rename = ParseLogLine(text);
    if (!whole && !rename) break;
    if (!rename) {
      problem = path + " line " + std::to_string(number) + " records no rename; nothing was changed.";
      break;
    }
    renames.push_back(*rename);
  }
  std::free(line);
  std::fclose(log);
  return problem.empty();
}

}  // namespace

UndoOutcome UndoRenames(const std::string& directory) {
  std::vector<LoggedRename> renames;
  std::string problem;
  if (!ReadLog(InDirectory(directory, "renum.log"), renames, problem)) return {false, 0, problem};

  int reversed = 0;
  for (auto rename = renames.rbegin(); rename != renames.rend(); ++rename) {
    const std::string from = InDirectory(directory, rename->to);
    const std::string to = InDirectory(directory, rename->from);
    // The log's line goes before its rename: a kill between them leaves a
    // last line whose rename never happened.
    const bool lastLine = rename == renames.rbegin();
    if (lastLine && Files().Exists(from.c_str()) == 0 && Files().Exists(to.c_str()) == 1) continue;
    int error = Files().Rename(from.c_str(), to.c_str());
    if (error == EEXIST && Files().SameFile(from.c_str(), to.c_str()) == 1) error = Files().Remove(from.c_str());
    if (error != 0) {
      return {false, reversed,
              "Could not rename " + from + " back to " + to + ": " + std::strerror(error) + " (" +
                  std::to_string(reversed) + " of " + std::to_string(renames.size()) + " renames reversed)"};
    }
    ++reversed;
  }
  return {true, reversed, "Reversed " + std::to_string(reversed) + (reversed == 1 ? " rename." : " renames.")};
}
