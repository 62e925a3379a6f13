// For the installer's test: waits for the main window of a tarvine.exe that
// another command started, prints the text of its path field (UTF-8, one
// line) and closes the window as its close box would.
//   window_path_field.exe [SECONDS]   (10 unless given)
// Exit status 0 when printed; 1 when no window came up in time.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "renumber/ControlIds.h"

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  for (int waited = 0; waited < seconds * 10; ++waited) {
    if (HWND window = FindWindowW(L"#32770", L"Kavo's  Plim Renumber ")) {
      Sleep(500);  // its initialisation fills the field
      wchar_t text[1024] = L"";
      GetDlgItemTextW(window, kPathField, text, 1024);
      char utf8[4096] = "";
      WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
      std::printf("%s\n", utf8);
      std::fflush(stdout);
      PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
      return 0;
    }
    Sleep(100);
  }
  std::fprintf(stderr, "no Tarvine window came up in %d seconds\n", seconds);
  return 1;
}
