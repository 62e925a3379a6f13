#include "app/Settings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fsystem/PathHelpers.h"
#include "platform/os/FileServices.h"
#include "platform/os/PathSeparators.h"
#include "platform/os/ProgramLauncher.h"
#include "platform/os/UserDirectories.h"

namespace {

const char kCannotOpen[] = "Could not open Tarvine.ini file.";

void ShowCannotOpen(DialogWindow& owner) { owner.MessageBox(kCannotOpen, "Error", kMessageStop); }

// Reads one line into `value` (room bytes with the terminator), without its
// line end. A line longer than the value's room is cut and the rest of it
// dropped, so it never spills into the next value. At the end of the file
// the value keeps what it held.
void ReadLine(FILE* file, char* value, size_t room) {
  int c = std::fgetc(file);
  if (c == EOF) return;
  size_t length = 0;
  for (; c != EOF && c != '\n'; c = std::fgetc(file)) {
    if (length + 1 < room) value[length++] = static_cast<char>(c);
  }
  value[length] = '\0';
}

// The defaults of both values; a browse directory beyond the room is the
// root of the file system's tree instead.
void SetDefaults(ProgramSettings& values) {
  std::snprintf(values.viewerPath, sizeof values.viewerPath, "%s", kDefaultViewer);
  std::string directory = DefaultBrowseDirectory();
  if (directory.size() >= sizeof values.lastDirectory) directory = std::string(1, PreferredSeparator());
  std::snprintf(values.lastDirectory, sizeof values.lastDirectory, "%s", directory.c_str());
}

// A directory text without the "/" it may end with: "/cfg/" => "/cfg",
// "/" => "", "/cfg" => "/cfg".
std::string WithoutTrailingSlash(std::string directory) {
  while (!directory.empty() && directory.back() == '/') directory.pop_back();
  return directory;
}

bool IsAbsolute(const char* directory) { return directory && directory[0] == '/'; }

// A camera's model in the file: at most this many bytes, no tab or line break.
constexpr size_t kMostModelBytes = 200;
constexpr size_t kMostShifts = 100;

// A camera's clock offset as a line of the file:
//   {"Canon EOS R5", 3720} => "Canon EOS R5\t+1h02m\n"
//   a model with a tab or line break, or beyond its room => "" (not stored)
std::string ClockShiftLine(const ClockShift& shift) {
  if (shift.model.empty() || shift.model.size() > kMostModelBytes ||
      shift.model.find_first_of("\t\n\r") != std::string::npos) {
    return "";
  }
  return shift.model + "\t" + ClockOffsetText(shift.seconds) + "\n";
}

// The camera clock offsets of the lines from line 7 on, each "MODEL<tab>OFFSET"; a line that reads as none is dropped.
std::vector<ClockShift> ReadClockShifts(FILE* file) {
  char line[kMostModelBytes + 64];
  std::vector<ClockShift> shifts;
  while (shifts.size() < kMostShifts && !std::feof(file) && !std::ferror(file)) {
    line[0] = '\0';
    ReadLine(file, line, sizeof line);
    const char* tab = std::strchr(line, '\t');
    ClockShift shift;
    if (!tab || tab == line || !ParseClockOffset(tab + 1, shift.seconds)) continue;
    shift.model.assign(line, static_cast<size_t>(tab - line));
    shifts.push_back(shift);
  }
  return shifts;
}

}  // namespace

ProgramSettings::ProgramSettings() { SetDefaults(*this); }

std::string UserSettingsFile() {
  const std::string system = SystemSettingsDirectory();
  if (system.empty()) {
    return SettingsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), AccountHomeDirectory);
  }
  const char separator = PreferredSeparator();
  const bool ended = IsPathSeparator(system.back());
  return system + (ended ? "" : std::string(1, separator)) + "Tarvine" + separator + "Tarvine.ini";
}

std::string SettingsFilePath(const char* configHome, const char* home, std::string (*accountHome)()) {
  if (IsAbsolute(configHome)) return WithoutTrailingSlash(configHome) + "/tarvine/Tarvine.ini";
  const std::string homeDirectory = IsAbsolute(home) ? home : accountHome();
  if (!IsAbsolute(homeDirectory.c_str())) return "";
  return WithoutTrailingSlash(homeDirectory) + "/.config/tarvine/Tarvine.ini";
}

bool StorableSetting(const char* value, size_t capacity) {
  return std::strlen(value) <= capacity && !std::strchr(value, '\n');
}

void LoadSettings(ProgramSettings& values, DialogWindow& owner) {
  // A path beyond the room is no settings file at all, never a cut one.
  const std::string path = UserSettingsFile();
  std::snprintf(values.settingsPath, sizeof values.settingsPath, "%s",
                path.size() < sizeof values.settingsPath ? path.c_str() : "");
  SetDefaults(values);
  values.order = NumberingOrder::kName;
  values.clockShifts.clear();
  values.companions = true;
  values.allKinds = false;
  values.keepLog = 1;

  if (!*values.settingsPath || FileExists(values.settingsPath) != 1) return;
  FILE* file = Files().Open(values.settingsPath, "r");
  if (!file) {
    ShowCannotOpen(owner);
    return;
  }
  ProgramSettings read = values;
  ReadLine(file, read.viewerPath, sizeof read.viewerPath);
  ReadLine(file, read.lastDirectory, sizeof read.lastDirectory);
  char orderWord[16] = "";
  ReadLine(file, orderWord, sizeof orderWord);
  if (!ParseNumberingOrder(orderWord, read.order)) read.order = NumberingOrder::kName;
  // Lines 4 to 6: whether to keep a log, to rename
  // companions, to number every photo and video kind together; "1" or "0",
  // anything else the default. Lines after them are for other readers.
  char flags[3][4] = {"", "", ""};
  for (auto& flag : flags) ReadLine(file, flag, sizeof flag);
  read.keepLog = std::strcmp(flags[0], "0") == 0 ? 0 : 1;
  read.companions = std::strcmp(flags[1], "0") != 0;
  read.allKinds = std::strcmp(flags[2], "1") == 0;
  read.clockShifts = ReadClockShifts(file);
  // A directory of that name opens but cannot be read: no settings then.
  const bool readFailed = std::ferror(file);
  std::fclose(file);
  if (readFailed) {
    ShowCannotOpen(owner);
    return;
  }
  values = read;
}

void SaveSettings(const ProgramSettings& values, DialogWindow& owner) {
  const std::string path = values.settingsPath;
  const long separator = LastSeparatorAt(path.c_str());
  const std::string directory = path.substr(0, separator < 0 ? 0 : static_cast<size_t>(separator));
  if (path.empty() || separator <= 0 ||
      (Files().Exists(directory.c_str()) != 1 && Files().MakePrivateDirectories(directory) != 0)) {
    ShowCannotOpen(owner);
    return;
  }
  // The old file is replaced only by a whole new one, safely on disk.
  std::string text = std::string(values.viewerPath) + "\n" + values.lastDirectory + "\n" +
                     NumberingOrderWord(values.order) + "\n" + (values.keepLog == 0 ? "0\n" : "1\n") +
                     (values.companions ? "1\n" : "0\n") + (values.allKinds ? "1\n" : "0\n");
  for (const ClockShift& shift : values.clockShifts) text += ClockShiftLine(shift);
  if (Files().ReplaceFileContents(path.c_str(), text) != 0) ShowCannotOpen(owner);
}
