#include "renumber/UndoRenames.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/os/ErrorText.h"
#include "platform/os/FileServices.h"
#include "platform/os/PathSeparators.h"
#include "renumber/RenameIds.h"
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

// The header and the identity lines of renum.ids, and where each identity
// line starts (and, last, where they end); none when there is no such file
// (a log of an older version).
void ReadIdentities(RunDirectory& directory, std::optional<IdsHeader>& header,
                    std::vector<std::optional<FileIdentity>>& identities, std::vector<long>& lineStarts) {
  lineStarts.assign(1, 0);
  FILE* ids = directory.OpenOwnFile(kIdsFileName, "r");
  if (!ids) return;
  std::string line;
  long at = 0;
  while (ReadLine(ids, line) && line.back() == '\n') {
    at += static_cast<long>(line.size());
    line.pop_back();
    if (at == static_cast<long>(line.size()) + 1 && (header = ParseHeaderLine(line))) {
      lineStarts.assign(1, at);
      continue;
    }
    identities.push_back(ParseIdentityLine(line));
    lineStarts.push_back(at);
  }
  std::fclose(ids);
}

// A count with its thousands set apart, as the messages write counts.
//   7 => "7"
//   2954 => "2,954"
//   1234567 => "1,234,567"
std::string Grouped(long count) {
  std::string digits = std::to_string(count);
  for (long at = static_cast<long>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
  return digits;
}

// Every line of the log as a rename within the directory, and where each
// line starts (and, last, where the lines end), or a message saying why
// there are none to trust. A last line without its line end was cut short
// by a kill: its rename never happened, so it is left out.
bool ReadLog(RunDirectory& directory, const std::string& path, std::vector<LoggedRename>& renames,
             std::vector<long>& lineStarts, std::string& problem) {
  FILE* log = directory.OpenOwnFile(kLogFileName, "r");
  if (!log) {
    problem = "Could not read " + path + ": " + SystemReason(errno);
    return false;
  }
  std::string line;
  int number = 0;
  long at = 0;
  lineStarts.assign(1, 0);
  while (ReadLine(log, line)) {
    ++number;
    at += static_cast<long>(line.size());
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
    lineStarts.push_back(at);
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
// the start, one first met as a new name was free. The answers are every m
// whose names, present or absent, are all as in the directory now, from
// the smallest (more than one where renames brought names back as they
// were, a swap of names); when none is (something else changed the
// directory), all of them: the undo then starts at the last line and stops,
// saying why, where it cannot go on.
std::vector<size_t> RenamesInEffect(RunDirectory& directory, const std::vector<LoggedRename>& renames) {
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

  std::vector<size_t> inEffect;
  if (differing == 0) inEffect.push_back(0);
  const auto set = [&](size_t at, char value) {
    differing -= present[at] != now[at];
    present[at] = value;
    differing += present[at] != now[at];
  };
  for (size_t line = 0; line < lines.size(); ++line) {
    set(lines[line].first, 0);
    set(lines[line].second, 1);
    if (differing == 0) inEffect.push_back(line + 1);
  }
  if (inEffect.empty()) inEffect.push_back(renames.size());
  return inEffect;
}

// The directory opened and locked for an undo, its log read, and how many
// of the log's renames are still in effect; or, in `endsEarly`, how the undo
// ends before it renames anything.
struct UndoStart {
  std::string directoryText;  // with its separator: "pics" => "pics/", "" stays ""
  std::unique_ptr<RunDirectory> runDirectory;
  std::vector<LoggedRename> renames;
  std::vector<long> lineStarts;  // where each line starts, and where the lines end
  std::vector<std::optional<FileIdentity>> identities;  // line for line, as far as renum.ids goes
  std::vector<long> identityStarts;                     // where each identity line starts, and where they end
  std::optional<IdsHeader> header;                      // the rule of the run that started the log
  size_t inEffect = 0;
  std::optional<UndoOutcome> endsEarly;
};

// The first line in effect whose file is not the one under its new name
// now, as the undo would meet them, from the last line back; none when
// every file is the one its line moved. The directory is asked once per
// name; a name the undo will have renamed by then counts as it will be.
// A name absent, or a line with no identity known, is not checked: the
// rename stops there, or the log is older than its identities.
std::optional<size_t> FirstStranger(RunDirectory& directory, const UndoStart& start) {
  std::unordered_map<std::string, std::optional<FileIdentity>> names;  // as the undo will have left them
  const auto bearer = [&](const std::string& name) -> std::optional<FileIdentity>& {
    const auto [found, isNew] = names.try_emplace(name);
    FileIdentity identity;
    if (isNew && directory.Identify(name.c_str(), identity) == 0) found->second = identity;
    return found->second;
  };
  for (size_t line = start.inEffect; line-- > 0;) {
    const LoggedRename& rename = start.renames[line];
    std::optional<FileIdentity> moved = std::move(bearer(rename.to));
    bearer(rename.to).reset();
    if (moved && line < start.identities.size() && start.identities[line] && !start.identities[line]->Matches(*moved)) {
      return line;
    }
    bearer(rename.from) = moved;
  }
  return std::nullopt;
}

UndoStart StartUndo(const std::string& directory) {
  UndoStart start;
  start.directoryText = InDirectory(directory, "");
  if (const int error = Files().OpenRunDirectory(start.directoryText.c_str(), start.runDirectory)) {
    start.endsEarly = {false, 0,
                     error == EWOULDBLOCK ? "Another run is renumbering this directory."
                                          : "Could not read the directory " + directory + ": " + SystemReason(error)};
    return start;
  }
  std::string problem;
  if (!ReadLog(*start.runDirectory, start.directoryText + kLogFileName, start.renames, start.lineStarts, problem)) {
    start.endsEarly = {false, 0, problem};
    return start;
  }
  // Lines already taken back (by an undo that stopped), or whose rename a
  // kill prevented, are passed over, so an undo can always be run again.
  ReadIdentities(*start.runDirectory, start.header, start.identities, start.identityStarts);
  // Where the names fit more than one place in the log (a swap of names
  // taken back, and the undo stopped before it cut their lines), the files
  // tell which: the latest place whose files are the ones its lines moved.
  // Undo gives names back only to those files: a file another program put
  // under a logged name, or a log older than the runs after it, is refused
  // before anything is renamed.
  const std::vector<size_t> places = RenamesInEffect(*start.runDirectory, start.renames);
  std::optional<size_t> stranger;
  bool proven = false;
  for (size_t place = places.size(); place-- > 0 && !proven;) {
    start.inEffect = places[place];
    const auto found = FirstStranger(*start.runDirectory, start);
    proven = !found;
    if (!stranger) stranger = found;
  }
  if (!proven) {
    start.inEffect = places.back();
    const LoggedRename& rename = start.renames[*stranger];
    start.endsEarly = {false, 0,
                       rename.from + " is not the file renum.log renamed to " + rename.to + "; nothing was changed."};
    return start;
  }
  if (start.inEffect == 0) {
    // Nothing to take back, and the directory shows no more names of the
    // log's rule than it had when the log was started: every rename is
    // reversed indeed. More such names, which no line explains, were given
    // by renames the log no longer records: no name is guessed for them.
    const long unexplained =
        start.header ? NamesOfRule(*start.header, start.directoryText) - start.header->ruleNamesBefore : 0;
    if (unexplained > 0) {
      start.endsEarly = {false, 0,
                         "renum.log covers none of the " + Grouped(unexplained) +
                             (unexplained == 1 ? " rename" : " renames") +
                             " its directory shows; the original names cannot be recovered from it."};
    } else {
      start.endsEarly = {true, 0, "Every rename in renum.log is already reversed."};
    }
  }
  return start;
}

// The log and its identities, opened to be cut back as their lines are
// taken back, and made durable after each cut.
// Invariant: log_ is open, or null once the log could not be opened or cut.
class LogCutter {
 public:
  LogCutter(RunDirectory& directory, const UndoStart& start)
      : log_(directory.OpenOwnFile(kLogFileName, "a")),
        ids_(start.identities.empty() && !start.header ? nullptr : directory.OpenOwnFile(kIdsFileName, "a")),
        start_(start) {}
  ~LogCutter() {
    if (log_) std::fclose(log_);
    if (ids_) std::fclose(ids_);
  }
  LogCutter(const LogCutter&) = delete;
  LogCutter& operator=(const LogCutter&) = delete;

  // Keeps the first `lines` lines of both files, durable once this returns
  // 0; else the errno value (the lines stay, recording renames already
  // reversed, which a later undo passes over).
  int CutTo(size_t lines) {
    if (!log_) return EIO;
    int error = Files().CutBack(log_, start_.lineStarts[lines]);
    if (!error && ids_ && lines < start_.identityStarts.size()) error = Files().CutBack(ids_, start_.identityStarts[lines]);
    if (!error && ids_) error = Files().SyncFile(ids_);
    if (!error) error = Files().SyncFile(log_);
    if (error) {
      std::fclose(log_);
      log_ = nullptr;
    }
    return error;
  }

 private:
  FILE* log_;
  FILE* ids_;
  const UndoStart& start_;
};

// An undo takes renames back in batches, growing as a run's do: each
// batch's renames are made durable before their lines are cut off the log.
constexpr size_t kFirstBatch = 64;
constexpr size_t kLargestBatch = 4096;

}  // namespace

std::optional<size_t> LoggedRenamesInEffect(RunDirectory& directory) {
  std::vector<LoggedRename> renames;
  std::vector<long> lineStarts;
  std::string problem;
  if (!ReadLog(directory, kLogFileName, renames, lineStarts, problem)) return std::nullopt;
  return RenamesInEffect(directory, renames).back();
}

UndoOutcome RenamesToUndo(const std::string& directory) {
  const UndoStart start = StartUndo(directory);
  if (start.endsEarly) return *start.endsEarly;
  return {true, static_cast<int>(start.inEffect), ""};
}

UndoPreview PreviewUndo(const std::string& directory) {
  const UndoStart start = StartUndo(directory);
  UndoPreview preview{{true, static_cast<int>(start.inEffect), ""}, start.directoryText, {}};
  if (start.endsEarly) {
    preview.outcome = *start.endsEarly;
    return preview;
  }
  for (size_t line = start.inEffect; line-- > 0;) {
    preview.renames.push_back({start.renames[line].to, start.renames[line].from});
  }
  return preview;
}

UndoOutcome UndoRenames(const std::string& directory) {
  UndoStart start = StartUndo(directory);
  // Each line taken back is cut off the log, which so keeps the renames
  // still in effect and no others: a cycle of renames brings names back as
  // they were, with the files elsewhere, which the names alone could not
  // tell from its undoing. Lines that are in effect no more go first. Where
  // the log cannot be cut (a failing disk), the lines stay.
  std::optional<LogCutter> log;
  const bool logRead = !start.lineStarts.empty() && (!start.endsEarly || start.endsEarly->succeeded);
  if (logRead) {
    log.emplace(*start.runDirectory, start);
    log->CutTo(start.inEffect);
  }
  if (start.endsEarly) return *start.endsEarly;
  const std::vector<LoggedRename>& renames = start.renames;
  RunDirectory& runDirectory = *start.runDirectory;
  const std::string& directoryText = start.directoryText;

  int reversed = 0;
  size_t batch = kFirstBatch;
  for (size_t line = start.inEffect; line > 0; batch = std::min(2 * batch, kLargestBatch)) {
    const size_t end = line > batch ? line - batch : 0;
    for (; line > end; --line) {
      const char* from = renames[line - 1].to.c_str();
      const char* to = renames[line - 1].from.c_str();
      int error = runDirectory.Rename(from, to);
      // A rename cut short between its two steps left one file under both names.
      if (error == EEXIST && runDirectory.SameFile(from, to) == 1) error = runDirectory.Remove(from);
      if (error != 0) {
        // What was reversed is made durable and cut off, as after a batch.
        if (runDirectory.Sync() == 0) log->CutTo(line);
        return {false, reversed,
                "Could not rename " + directoryText + from + " back to " + directoryText + to + ": " +
                    SystemReason(error) + " (" + std::to_string(reversed) + " of " + std::to_string(renames.size()) +
                    " renames reversed)"};
      }
      ++reversed;
    }
    // The batch's renames are durable before their lines leave the log: at
    // any moment the log covers every rename still in effect on disk.
    if (const int error = runDirectory.Sync()) {
      return {false, reversed,
              "Could not make the reversed names in " + directoryText + " durable: " + SystemReason(error) + " (" +
                  std::to_string(reversed) + " of " + std::to_string(renames.size()) + " renames reversed)"};
    }
    log->CutTo(line);
  }
  return {true, reversed, "Reversed " + std::to_string(reversed) + (reversed == 1 ? " rename." : " renames.")};
}
