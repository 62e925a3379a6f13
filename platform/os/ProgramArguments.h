#pragma once
// The program's command-line arguments as UTF-8 texts, the program's name
// first, whatever code page the system runs in.

#include <string>
#include <vector>

// On POSIX argv as it is; on Windows the wide command line
// (GetCommandLineW, split as the C run-time library splits it), so a name
// in any script arrives whole even where the ANSI code page cannot hold it.
std::vector<std::string> ProgramArguments(int argc, char** argv);
