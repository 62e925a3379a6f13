#include "cli/ConsoleDialogWindow.h"

#include <chrono>

namespace {

int64_t MillisecondsNow() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

void ConsoleDialogWindow::Started(int pass, long total) {
  passName_ = pass == 2 ? "Second pass: " : pass == 1 ? "First pass: " : "";
  total_ = total;
  lastShownAt_ = -1;
}

void ConsoleDialogWindow::Renaming(long renamed) {
  if (!showProgress_) return;
  const int64_t now = MillisecondsNow();
  if (lastShownAt_ >= 0 && now - lastShownAt_ < 100) return;
  lastShownAt_ = now;
  std::fprintf(err_, "\r\033[K%s%s %ld of %ld files", passName_, *passName_ ? "renaming" : "Renaming", renamed,
               total_);
  std::fflush(err_);
  lineOpen_ = true;
}

void ConsoleDialogWindow::Finished(long renamed) {
  if (!showProgress_) return;
  std::fprintf(err_, "\r\033[K%s%ld files renamed.\n", passName_, renamed);
  std::fflush(err_);
  lineOpen_ = false;
}

void ConsoleDialogWindow::EndOpenLine() {
  if (!lineOpen_) return;
  std::fputc('\n', err_);
  lineOpen_ = false;
}

int ConsoleDialogWindow::MessageBox(const char* text, const char* /*caption*/, int style) {
  // The command line asks nothing it has not been told: a question is
  // answered No, without a word.
  if ((style & 0xF) == kMessageYesNo) return kIdNo;
  EndOpenLine();
  if (style == kMessageOk) {
    std::fprintf(out_, "%s\n", text);
    std::fflush(out_);
  } else {
    std::fprintf(err_, "Error: %s\n", text);
  }
  return kIdOk;
}
