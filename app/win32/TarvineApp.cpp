// The tarvine program on Windows: the same main dialog as on Linux, in the
// window system's own dialogs.

#include "app/TarvineApp.h"

#include <cstdio>
#include <memory>

#include "app/DialogTemplates.h"
#include "app/MainDialog.h"
#include "app/StartArguments.h"
#include "platform/dialog/win32/Win32DialogWindow.h"
#include "platform/dialog/win32/Win32FileDialogs.h"
#include "platform/os/ProgramArguments.h"
#include "platform/os/Terminal.h"

namespace {

// Further dialogs (the About box) owned by the main one.
class Win32DialogFactory : public DialogFactory {
 public:
  explicit Win32DialogFactory(Win32DialogWindow& owner) : owner_(owner) {}
  std::unique_ptr<DialogWindow> Create(const DialogTemplate& dialog) override {
    return std::make_unique<Win32DialogWindow>(dialog, owner_.Window());
  }

 private:
  Win32DialogWindow& owner_;
};

// A program of the Windows subsystem has no console of its own: the answer
// goes where its output was sent (a file or a pipe), else to the console of
// the command line that started it, else, started from Explorer, into a
// message box.
int AnswerOnConsole(const StartAnswer& answer) {
  if (ConnectToConsole(answer.isError ? stderr : stdout)) return PrintAnswer(answer);
  Win32DialogWindow ownerless(MainDialogTemplate());
  ownerless.MessageBox(answer.text.c_str(), "Tarvine", answer.isError ? kMessageStop : kMessageInformation);
  return answer.status;
}

}  // namespace

int RunTarvineApp(int argc, char** argv) {
  // The arguments as UTF-8 from the wide command line, whatever the code page.
  const StartRequest request = ParseStartArguments(ProgramArguments(argc, argv));
  if (const auto answer = AnswerWithoutWindow(request)) return AnswerOnConsole(*answer);
  InitializeWindowSystem();
  Win32FileDialogs fileDialogs;
  ScopedFileDialogs fileDialogsInForce(fileDialogs);
  Win32DialogWindow window(MainDialogTemplate());
  Win32DialogFactory dialogs(window);
  MainDialog dialog(window, dialogs);
  dialog.startFile = request.file;
  // Exit, Enter, Escape and the close box all end the program alike.
  window.DoModal(dialog);
  return 0;
}
