#pragma once
// Links the hostile-input tests plant: a second name of a file, and a
// symbolic link (POSIX: link and symlink; Windows: CreateHardLinkW and
// CreateSymbolicLinkW).

#include <string>

// Gives the file `existing` the second name `name`. False when the system
// refused.
bool MakeHardLink(const std::string& existing, const std::string& name);

// Makes `name` a symbolic link to `target` (dangling when nothing bears
// it). False when the system refused: Windows makes symbolic links only
// with a privilege or in developer mode (and Wine makes none of Windows'
// kind), and the tests that need one are then skipped.
bool MakeSymbolicLink(const std::string& target, const std::string& name);

// Makes `name` a named pipe (a FIFO). False where a pipe cannot stand in a
// directory (Windows keeps its pipes apart from the file system).
bool MakePipeEntry(const std::string& name);

// Why a test that needs a symbolic link is skipped where none can be made.
constexpr char kNoSymbolicLinks[] =
    "no symbolic link of this system's kind here (Windows without developer mode, or Wine)";
