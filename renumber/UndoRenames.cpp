#include "renumber/UndoRenames.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/os/ErrorText.h"
#include "platform/os/FileServices.h"
#include "platform/os/PathSeparators.h"
#include "renumber/RenameLog.h"

namespace {

// A name of the log's directory, or "" when the logged name is none: the
// log is a file anybody could have written, so only each name's last part
// (after the last separator of the system, IsPathSeparator) counts, and
// nothing it says can reach outside the directory.
//   "/pics/a.jpg" => "a.jpg"
//   "a.jpg"       => "a.jpg"
//   "/home/me/.ssh/authorized_keys" => "authorized_keys"
//   "/pics/.."    => ""
//   "/pics/"      => ""
//   "C:\pics\a.jpg" => "a.jpg" on Windows ("\" is a byte of a name on POSIX)
std::string NameInDirectory(const std::string& logged) {
  const long separator = LastSeparatorAt(logged.c_str());
  std::string name = separator < 0 ? logged : logged.substr(static_cast<size_t>(separator) + 1);
  return name == "." || name == ".." ? std::string() : name;
}

// A directory text with its separator: "pics" => "pics/" ("pics\" on
// Windows); "pics/" and "" stay as they are.
std::string InDirectory(const std::string& directory, const std::string& name) {
  if (directory.empty() || IsPathSeparator(directory.back())) return directory + name;
  return directory + PreferredSeparator() + name;
}

// Reads one line, line end included, into `line`; false at the end.
bool ReadLine(FILE* file, std::string& line) {
  line.clear();
  char chunk[4096];
  while (std::fgets(chunk, sizeof chunk, file)) {
    line += chunk;
    if (!line.empty() && line.back() == '\n') return true;
  }
  return !line.empty();
}

// Every line of the log as a rename within the directory, or a message
// saying why there are none to trust. A last line without its line end was
// cut short by a kill: its rename never happened, so it is left out.
bool ReadLog(RunDirectory& directory, const std::string& path, std::vector<LoggedRename>& renames,
             std::string& problem) {
  FILE* log = directory.OpenOwnFile(kLogFileName, "r");
  if (!log) {
    problem = "Could not read " + path + ": " + SystemReason(errno);
    return false;
  }
  std::string line;
  int number = 0;
  while (ReadLine(log, line)) {
    ++number;
    std::string_view text(line);
    const bool whole = text.back() == '\n';
    if (whole) text.remove_suffix(1);
    auto rename = ParseLogLine(text);
    if (!whole && !rename) break;
    const std::string where = path + " line " + std::to_string(number);
    if (!rename) {
      problem = where + " records no rename; nothing was changed.";
      break;
    }
    rename->from = NameInDirectory(rename->from);
    rename->to = NameInDirectory(rename->to);
    if (rename->from.empty() || rename->to.empty()) {
      problem = where + " names no file of the directory; nothing was changed.";
      break;
    }
    renames.push_back(std::move(*rename));
  }
  if (problem.empty() && std::ferror(log)) problem = "Could not read " + path + ": " + SystemReason(EIO);
  std::fclose(log);
  return problem.empty();
}

// How many of the log's renames are still in effect: the directory was
// renamed line by line, and an undo takes the lines back from the last, so
// after any stop (a kill of the run, an undo that stopped or was killed) its
// names are as they were after some number m of lines. Each line's names are
// followed through the log: a name first met as an old name was there at
// the start, one first met as a new name was free. The answer is the largest
// m whose names, present or absent, are all as in the directory now; when
// none is (something else changed the directory), all of them: the undo
// then starts at the last line and stops, saying why, where it cannot go on.
size_t RenamesInEffect(RunDirectory& directory, const std::vector<LoggedRename>& renames) {
  std::unordered_map<std::string, size_t> index;  // every name of the log, numbered
  std::vector<char> present;                      // at the start of the run, then as lines go by
  const auto number = [&](const std::string& name, bool wasThere) {
    const auto [found, isNew] = index.try_emplace(name, present.size());
    if (isNew) present.push_back(wasThere ? 1 : 0);
    return found->second;
  };
  std::vector<std::pair<size_t, size_t>> lines;
  for (const LoggedRename& rename : renames) lines.emplace_back(number(rename.from, true), number(rename.to, false));

  std::vector<char> now(present.size());
  for (const auto& [name, at] : index) now[at] = directory.Exists(name.c_str()) == 1 ? 1 : 0;
  size_t differing = 0;
  for (size_t at = 0; at < now.size(); ++at) differing += present[at] != now[at];

  size_t inEffect = differing == 0 ? 0 : renames.size();
  const auto set = [&](size_t at, char value) {
    differing -= present[at] != now[at];
    present[at] = value;
    differing += present[at] != now[at];
  };
  for (size_t line = 0; line < lines.size(); ++line) {
    set(lines[line].first, 0);
    set(lines[line].second, 1);
    if (differing == 0) inEffect = line + 1;
  }
  return inEffect;
}

}  // namespace

UndoOutcome UndoRenames(const std::string& directory) {
  // The directory text with its separator: "pics" => "pics/", "" stays "".
  const std::string directoryText = InDirectory(directory, "");
  std::unique_ptr<RunDirectory> runDirectory;
  if (const int error = Files().OpenRunDirectory(directoryText.c_str(), runDirectory)) {
    return {false, 0,
            error == EWOULDBLOCK ? "Another run is renumbering this directory."
                                 : "Could not read the directory " + directory + ": " + SystemReason(error)};
  }
  std::vector<LoggedRename> renames;
  std::string problem;
  if (!ReadLog(*runDirectory, directoryText + kLogFileName, renames, problem)) return {false, 0, problem};

  // Lines already taken back (by an undo that stopped), or whose rename a
  // kill prevented, are passed over, so an undo can always be run again.
  const size_t inEffect = RenamesInEffect(*runDirectory, renames);
  if (inEffect == 0 && !renames.empty()) return {true, 0, "Every rename in renum.log is already reversed."};

  int reversed = 0;
  for (auto rename = renames.rend() - static_cast<std::ptrdiff_t>(inEffect); rename != renames.rend(); ++rename) {
    const char* from = rename->to.c_str();
    const char* to = rename->from.c_str();
    int error = runDirectory->Rename(from, to);
    // A rename cut short between its two steps left one file under both names.
    if (error == EEXIST && runDirectory->SameFile(from, to) == 1) error = runDirectory->Remove(from);
    if (error != 0) {
      return {false, reversed,
              "Could not rename " + directoryText + from + " back to " + directoryText + to + ": " + SystemReason(error) + " (" +
                  std::to_string(reversed) + " of " + std::to_string(renames.size()) + " renames reversed)"};
    }
    ++reversed;
  }
  return {true, reversed, "Reversed " + std::to_string(reversed) + (reversed == 1 ? " rename." : " renames.")};
}
