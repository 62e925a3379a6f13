#pragma once
// The tarvine program: one application whose whole life is the main dialog,
// shown modally; the program ends when it closes.

int RunTarvineApp(int argc, char** argv);
