#pragma once
// Whether a stream shows on a terminal, where a progress line can be
// redrawn in place; a pipe or a file gets no such line.

#include <cstdio>

bool IsTerminal(FILE* stream);
