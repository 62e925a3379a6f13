#include "app/TarvineApp.h"

#include <QApplication>
#include <QDialog>
#include <memory>

#include "app/DialogTemplates.h"
#include "app/MainDialog.h"
#include "app/VersionRecord.h"
#include "platform/dialog/qt/QtDialogWindow.h"
#include "platform/dialog/qt/QtFileDialogs.h"

namespace {

// Further dialogs (the About box) as Qt windows over the main one.
class QtDialogFactory : public DialogFactory {
 public:
  explicit QtDialogFactory(QtDialogWindow& owner) : owner_(owner) {}
  std::unique_ptr<DialogWindow> Create(const DialogTemplate& dialog) override {
    return std::make_unique<QtDialogWindow>(dialog, owner_.Dialog());
  }

 private:
  QtDialogWindow& owner_;
};

}  // namespace

int RunTarvineApp(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(kProgramName);
  QApplication::setApplicationVersion(kProgramVersion);
  QApplication::setDesktopFileName("tarvine");

  QtFileDialogs fileDialogs;
  ScopedFileDialogs fileDialogsInForce(fileDialogs);
  QtDialogWindow window(MainDialogTemplate());
  QtDialogFactory dialogs(window);
  MainDialog dialog(window, dialogs);
  // Exit, Enter, Escape and the close box all end the program alike.
  window.DoModal(dialog);
  return 0;
}
