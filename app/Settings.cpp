#include "app/Settings.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fsystem/PathHelpers.h"
#include "platform/FileServices.h"

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

void SetHomeDirectory(ProgramValues& values) {
  const char* home = std::getenv("HOME");
  std::string directory = home && *home ? home : "/";
  if (directory.back() != '/') directory += '/';
  if (directory.size() >= sizeof values.lastDirectory) directory = "/";
  std::snprintf(values.lastDirectory, sizeof values.lastDirectory, "%s", directory.c_str());
}

}  // namespace

bool StorableSetting(const char* value, size_t capacity) {
  return std::strlen(value) <= capacity && !std::strchr(value, '\n');
}

void LoadSettings(ProgramValues& values, DialogWindow& owner) {
  char directory[4096];
  if (getcwd(directory, sizeof directory)) {
    std::snprintf(values.settingsPath, sizeof values.settingsPath, "%s/Tarvine.ini",
                  std::strcmp(directory, "/") == 0 ? "" : directory);
  }
  std::snprintf(values.viewerPath, sizeof values.viewerPath, "xdg-open");
  SetHomeDirectory(values);

  if (FileExists(values.settingsPath) != 1) return;
  FILE* file = Files().Open(values.settingsPath, "r");
  if (!file) {
    ShowCannotOpen(owner);
    return;
  }
  ProgramValues read = values;
  ReadLine(file, read.viewerPath, sizeof read.viewerPath);
  ReadLine(file, read.lastDirectory, sizeof read.lastDirectory);
  // A directory of that name opens but cannot be read: no settings then.
  const bool readFailed = std::ferror(file);
  std::fclose(file);
  if (readFailed) {
    ShowCannotOpen(owner);
    return;
  }
  values = read;
}

void SaveSettings(const ProgramValues& values, DialogWindow& owner) {
  const std::string newFile = std::string(values.settingsPath) + ".new";
  FILE* file = Files().Open(newFile.c_str(), "w");
  if (!file) {
    ShowCannotOpen(owner);
    return;
  }
  std::fprintf(file, "%s\n%s\n", values.viewerPath, values.lastDirectory);
  // The old file is replaced only by a whole new one, safely on disk.
  bool written = std::fflush(file) == 0 && fsync(fileno(file)) == 0 && !std::ferror(file);
  written = std::fclose(file) == 0 && written;
  if (!written || Files().Replace(newFile.c_str(), values.settingsPath) != 0) {
    Files().Remove(newFile.c_str());
    ShowCannotOpen(owner);
  }
}
