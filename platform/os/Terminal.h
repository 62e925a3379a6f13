#pragma once
// Whether a stream shows on a terminal, where a progress line can be
// redrawn in place; a pipe or a file gets no such line. And whether a
// program started without a console can print at all.

#include <cstdio>

bool IsTerminal(FILE* stream);

// Makes `stream` (stdout or stderr) reach what it was sent to: true when it
// reaches a file, a pipe or a console. A window program on Windows has no
// console of its own: it takes the console of the command line that started
// it, if any; started from Explorer it has none, and the answer is false.
// Elsewhere every program can print: true.
bool ConnectToConsole(FILE* stream);
