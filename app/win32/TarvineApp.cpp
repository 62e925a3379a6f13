// The tarvine program on Windows: the same main dialog as on Linux, in the
// window system's own dialogs.

#include "app/TarvineApp.h"

#include <memory>

#include "app/DialogTemplates.h"
#include "app/MainDialog.h"
#include "platform/dialog/win32/Win32DialogWindow.h"
#include "platform/dialog/win32/Win32FileDialogs.h"

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

}  // namespace

int RunTarvineApp(int, char**) {
  InitializeWindowSystem();
  Win32FileDialogs fileDialogs;
  ScopedFileDialogs fileDialogsInForce(fileDialogs);
  Win32DialogWindow window(MainDialogTemplate());
  Win32DialogFactory dialogs(window);
  MainDialog dialog(window, dialogs);
  // Exit, Enter, Escape and the close box all end the program alike.
  window.DoModal(dialog);
  return 0;
}
