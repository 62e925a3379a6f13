#pragma once
// The choices of a file dialog, read from the window system's filter text:
// pairs of a description and its patterns, each followed by "|", the list
// closed by one more "|". On Linux "*.*" means every file ("*"), and "*.exe"
// means the programs the user may run, whatever their names.
//
//   filter text                                 => choices, as Qt name filters
//   "JPEG Files (*.jpg)|*.jpg|GIF Files (*.gif)|*.gif|All Files (*.*)|*.*||"
//                                               => "JPEG Files (*.jpg)", "GIF Files (*.gif)", "All Files (*)"
//   "Pictures|*.jpg; *.gif||"                   => "Pictures (*.jpg *.gif)"
//   "EXE Files (*.exe)|*.exe||"                 => "EXE Files (*)", executable programs only
//   "Notes (plain)|*.txt"  (no closing "|")     => "Notes (plain) (*.txt)"
//   "Empty|;||"  "|*.txt||"  ""  null           => no choices: the dialog lists every file
//
// A description's own pattern list (a last "(...)" holding a "*") is
// replaced by the patterns really used, since Qt reads the patterns from it.
// The first empty description or pattern ends the list, as the window
// system's double NUL does.

#include <string>
#include <vector>

struct FileDialogChoice {
  std::string description;            // without its own pattern list: "JPEG Files"
  std::vector<std::string> patterns;  // "*.jpg"; "*.*" given as "*"; never "*.exe"
  bool executables = false;           // "*.exe" was among them: list runnable programs too
};

std::vector<FileDialogChoice> FileDialogChoices(const char* filter);
