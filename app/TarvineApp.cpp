#include "app/TarvineApp.h"

#include <QApplication>
#include <QDialog>
#include <memory>
#include <optional>

#include "app/DialogTemplates.h"
#include "app/MainDialog.h"
#include "app/StartArguments.h"
#include "app/VersionRecord.h"
#include "platform/dialog/qt/QtDialogWindow.h"
#include "platform/dialog/qt/QtFileDialogs.h"
#include "platform/os/ProgramArguments.h"

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
  // --help and --version answer on the terminal, before any display is
  // needed; anything else waits until Qt has taken its own options out.
  const StartRequest asked = ParseStartArguments(ProgramArguments(argc, argv));
  if (asked.action == StartRequest::Action::kHelp || asked.action == StartRequest::Action::kVersion) {
    return PrintAnswer(*AnswerWithoutWindow(asked));
  }
  QApplication application(argc, argv);
  // Qt has taken out the options that are its own (-platform, -style, ...).
  const StartRequest request = ParseStartArguments(ProgramArguments(argc, argv));
  if (const auto answer = AnswerWithoutWindow(request)) return PrintAnswer(*answer);
  QApplication::setApplicationName(kProgramName);
  QApplication::setApplicationVersion(kProgramVersion);
  QApplication::setDesktopFileName("tarvine");

  QtFileDialogs fileDialogs;
  ScopedFileDialogs fileDialogsInForce(fileDialogs);
  QtDialogWindow window(MainDialogTemplate());
  QtDialogFactory dialogs(window);
  MainDialog dialog(window, dialogs);
  dialog.startFile = request.file;
  // Exit, Enter, Escape and the close box all end the program alike.
  window.DoModal(dialog);
  return 0;
}
