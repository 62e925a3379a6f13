#pragma once
// Makes headless windows for further dialogs and remembers which.

#include <memory>
#include <string>
#include <vector>

#include "platform/dialog/DialogFactory.h"
#include "tests/support/HeadlessDialogWindow.h"

class HeadlessDialogFactory : public DialogFactory {
 public:
  std::unique_ptr<DialogWindow> Create(const DialogTemplate& dialog) override {
    created.push_back(dialog.caption);
    return std::make_unique<HeadlessDialogWindow>();
  }
  std::vector<std::string> created;  // the dialogs' captions, in order
};
