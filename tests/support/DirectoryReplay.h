#pragma once
// Checks that a directory and its renum.log tell the same story: the
// directory as it was, with the log's renames made in order, is the
// directory as it is.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "renumber/RenameLog.h"

// What a directory holds: name -> content, the run's own files left out.
using Snapshot = std::map<std::string, std::string>;

inline Snapshot TakeSnapshot(const std::filesystem::path& directory) {
  Snapshot snapshot;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    const std::string name = entry.path().filename().string();
    if (name == "renum.log" || name == "renum.ids" || name == "Folder.htt" || name == "KavoViewer.html") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    snapshot[name] = content.str();
  }
  return snapshot;
}

// `before` with the renames of `log` made in order, each checked: its old
// name present and its new name free at that moment. Lines name files by
// path; only the file name counts here. Lines are written a batch ahead of
// their renames, so a kill leaves a tail of lines whose renames never
// happened (and perhaps a last line cut short): once the replay has reached
// `after`, the lines past it are passed over, as undo passes over them.
inline Snapshot Replay(Snapshot before, const std::string& log, const Snapshot& after) {
  std::istringstream lines(log);
  std::string line;
  std::optional<Snapshot> reached;
  if (before == after) reached = before;
  while (std::getline(lines, line)) {
    const bool lastLine = lines.peek() == EOF;
    if (lastLine && log.back() != '\n') break;
    const auto rename = ParseLogLine(line);
    if (!rename) {
      ADD_FAILURE() << "not a log line: " << line;
      break;
    }
    const std::string from = std::filesystem::path(rename->from).filename().string();
    const std::string to = std::filesystem::path(rename->to).filename().string();
    if (!before.count(from) || before.count(to)) {
      if (!reached) ADD_FAILURE() << "the log renames " << from << " to " << to << " where that cannot be";
      break;
    }
    before[to] = before[from];
    before.erase(from);
    if (before == after) reached = before;
  }
  return reached ? *reached : before;
}

// The contents of a snapshot, sorted: the same for a directory whose files
// were renamed and none lost.
inline std::multiset<std::string> Contents(const Snapshot& snapshot) {
  std::multiset<std::string> contents;
  for (const auto& [name, content] : snapshot) contents.insert(content);
  return contents;
}
