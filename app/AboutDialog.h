#pragma once
// The About box: the program's icon, name and version, and OK. It has no
// fields; OK, Enter and Escape close it.

#include "platform/dialog/DialogCommands.h"
#include "platform/dialog/DialogWindow.h"

class AboutDialog : public DialogCommands {
 public:
  explicit AboutDialog(DialogWindow& window) : window_(window) {}
  void OnOK() override { window_.EndDialog(kIdOk); }
  void OnCancel() override { window_.EndDialog(kIdCancel); }

 private:
  DialogWindow& window_;
};
