// window_run FILE: one "Go For It!" of the real window on Qt's offscreen
// platform, as a user would start it on FILE's directory (6 digits, the
// slideshow opened in the viewer "true"), so that the benchmark can time the
// window's run beside the command line's on the same directory. Prints the
// count line at the end.

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/DialogTemplates.h"
#include "app/MainDialog.h"
#include "platform/dialog/qt/QtDialogWindow.h"
#include "renumber/ControlIds.h"

namespace {

// The run opens no further dialog.
class NoDialogs : public DialogFactory {
 public:
  std::unique_ptr<DialogWindow> Create(const DialogTemplate&) override { return nullptr; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_run FILE\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QtDialogWindow window(MainDialogTemplate());
  NoDialogs dialogs;
  MainDialog dialog(window, dialogs);

  RunOutcome outcome = RunOutcome::kNotStarted;
  QTimer::singleShot(0, [&] {
    std::snprintf(dialog.settings.viewerPath, sizeof dialog.settings.viewerPath, "true");
    window.SetDlgItemText(kPathField, argv[1]);
    window.SetDlgItemText(kDigitsField, "6");
    window.CheckDlgButton(kViewAfterRunBox, 1);
    outcome = dialog.OnGoForIt();
    window.EndDialog(kIdOk);
  });
  window.DoModal(dialog);
  std::printf("%s\n", window.GetDlgItemText(kCountLine).c_str());
  return outcome == RunOutcome::kSucceeded ? 0 : 1;
}
