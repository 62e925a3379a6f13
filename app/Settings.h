#pragma once
// The settings file "Tarvine.ini" in the user's configuration directory
// (on POSIX tarvine/ in XDG_CONFIG_HOME, else in ~/.config; on Windows
// Tarvine in the roaming application data folder): the viewer path, the
// directory Browse opens in, and the numbering order ("name", "taken" or
// "modified"), a line each; then whether to keep a log, to rename companions
// with their picture and to number every photo and video kind together,
// "1" or "0" a line each; from line 7 on, one camera's clock offset a line,
// "MODEL<tab>OFFSET" (ClockOffsetText). A reader that knows only the first
// lines reads such a file as before; a missing or unknown line is its
// default ("name", "1", "1", "0"); an offset line that does not read as one
// is dropped.
// Read once at start, rewritten whole after each confirmed Browse or Choose
// Viewer and each choice of order. Never one in the working directory: a
// directory of someone else's files could plant it.

#include <string>
#include <vector>

#include "platform/dialog/DialogWindow.h"
#include "renumber/ClockShift.h"
#include "renumber/NumberingOrder.h"

// The values the window keeps between runs of the program.
struct ProgramSettings {
  // The defaults: the system's default viewer and DefaultBrowseDirectory.
  ProgramSettings();

  char viewerPath[201] = "";     // the program that opens the slideshow page
  char lastDirectory[301] = "";  // where Browse opens, with its trailing separator
  char settingsPath[4110] = "";  // fixed at start: the user's Tarvine.ini; empty: none
  NumberingOrder order = NumberingOrder::kName;  // how a run numbers the files
  int keepLog = 1;  // 1: "Keep a log" is ticked, as it is for a new user
  std::vector<ClockShift> clockShifts;           // cameras whose clocks a taken order corrects
  bool companions = true;  // a picture's companions take its number (line 5)
  bool allKinds = false;   // every photo and video kind in one sequence (line 6)
};

// Fixes settingsPath (UserSettingsFile), sets the defaults (the system's
// default viewer, kDefaultViewer, DefaultBrowseDirectory, name order and
// a log kept),
// then reads the file if there is one. A file that exists but cannot be read
// gives a message box on `owner`, and the defaults stand.
void LoadSettings(ProgramSettings& values, DialogWindow& owner);

// Rewrites the file with the values, atomically: a new file beside it
// replaces the old one only once it is written whole. A missing settings
// directory is made first, for the user alone (mode 0700). A failure gives
// a message box on `owner`; the values in memory keep what they hold.
void SaveSettings(const ProgramSettings& values, DialogWindow& owner);

// The settings file of this user: Tarvine\Tarvine.ini in the folder the
// system names for programs' settings (SystemSettingsDirectory: %APPDATA%
// on Windows); where the system names none (POSIX), SettingsFilePath of the
// environment and the account. Empty when no directory counts.
std::string UserSettingsFile();

// The settings file's path from XDG_CONFIG_HOME and HOME as given (null:
// unset) and the account's home directory from the password database, which
// is asked for only when HOME is of no use. Only an absolute directory
// counts: a relative one would be the working directory's. Empty when no
// directory counts.
//   "/cfg",  "/home/me", -        => "/cfg/tarvine/Tarvine.ini"
//   "/cfg/", "/home/me", -        => "/cfg/tarvine/Tarvine.ini"
//   "cfg",   "/home/me", -        => "/home/me/.config/tarvine/Tarvine.ini"
//   "",      "/home/me/", -       => "/home/me/.config/tarvine/Tarvine.ini"
//   null,    "/", -               => "/.config/tarvine/Tarvine.ini"
//   null,    "",     "/home/acct" => "/home/acct/.config/tarvine/Tarvine.ini"
//   null,    null,   "/home/acct" => "/home/acct/.config/tarvine/Tarvine.ini"
//   null,    ".",    "/home/acct" => "/home/acct/.config/tarvine/Tarvine.ini"
//   null,    null,   ""           => ""
std::string SettingsFilePath(const char* configHome, const char* home, std::string (*accountHome)());

// Whether a value can be stored in the settings file and read back as it
// is: at most `capacity` bytes and no line break.
//   "/usr/bin/firefox", 200 => true
//   "", 200                 => true
//   201 bytes, 200          => false
//   "a\nb", 200             => false
bool StorableSetting(const char* value, size_t capacity);
