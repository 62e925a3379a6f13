// A program of the Windows subsystem starts at WinMain: no console window
// opens behind the dialog.

#include <windows.h>

#include <cstdlib>

#include "app/TarvineApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunTarvineApp(__argc, __argv); }
