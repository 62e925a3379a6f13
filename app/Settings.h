#pragma once
// The settings file "Tarvine.ini" in the directory current at start: two
// lines, the viewer path and the directory Browse opens in. Read once at
// start, rewritten whole after each confirmed Browse or Choose Viewer.

#include "platform/DialogWindow.h"
#include "renumber/RenumberDialog.h"

// Fixes settingsPath, sets the defaults (viewer "xdg-open", the user's home
// directory), then reads the file if there is one. A file that exists but
// cannot be read gives a message box on `owner`, and the defaults stand.
void LoadSettings(ProgramValues& values, DialogWindow& owner);

// Rewrites the file with both values, atomically: a new file beside it
// replaces the old one only once it is written whole. A failure gives a
// message box on `owner`; the values in memory keep what they hold.
void SaveSettings(const ProgramValues& values, DialogWindow& owner);

// Whether a value can be stored in the settings file and read back as it
// is: at most `capacity` bytes and no line break.
//   "/usr/bin/firefox", 200 => true
//   "", 200                 => true
//   201 bytes, 200          => false
//   "a\nb", 200             => false
bool StorableSetting(const char* value, size_t capacity);
