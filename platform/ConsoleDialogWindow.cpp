#include "platform/ConsoleDialogWindow.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

long MillisecondsNow() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000L + now.tv_nsec / 1000000L;
}

}  // namespace

void ConsoleDialogWindow::SetDlgItemText(int id, const char* text) {
  StoredControlsWindow::SetDlgItemText(id, text);
  if (id == progressControl_ && showProgress_) ShowProgress(text);
}

void ConsoleDialogWindow::ShowProgress(const char* countText) {
  if (!*countText) return;  // the count line emptied at the start of a run
  const bool final = std::strstr(countText, "files.") != nullptr;
  const long now = MillisecondsNow();
  if (!final && lastShownAt_ >= 0 && now - lastShownAt_ < 100) return;
  lastShownAt_ = now;

  const long count = std::strtol(countText, nullptr, 10);
  // A directory numbered before is renamed twice: each line says which time.
  const char* pass = pass_ == 2 ? "Second pass" : "First pass";
  if (final) {
    std::fprintf(err_, "\r\033[K%s: %ld files renamed.\n", pass, count);
    lineOpen_ = false;
  } else {
    std::fprintf(err_, "\r\033[K%s: renaming %ld of %ld files", pass, count, total_);
    lineOpen_ = true;
  }
  std::fflush(err_);
}

int ConsoleDialogWindow::MessageBox(const char* text, const char* /*caption*/, int style) {
  if (lineOpen_) {
    std::fputc('\n', err_);
    lineOpen_ = false;
  }
  if (style == kMessageOk) {
    std::fprintf(out_, "%s\n", text);
    std::fflush(out_);
  } else {
    std::fprintf(err_, "Error: %s\n", text);
  }
  return kIdOk;
}
