#pragma once
// A file dialog choice as Qt reads it: the description, then its patterns
// in parentheses.

#include <string>

#include "platform/dialog/FileDialogFilter.h"

// The choice as a Qt name filter, the patterns in parentheses:
//   {"JPEG Files", {"*.jpg"}, false} => "JPEG Files (*.jpg)"
//   {"EXE Files", {}, true}          => "EXE Files (*)"
std::string QtNameFilter(const FileDialogChoice& choice);
