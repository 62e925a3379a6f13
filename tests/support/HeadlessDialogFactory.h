#pragma once
// Makes headless windows for further dialogs and remembers which.

#include <memory>
#include <vector>

#include "platform/dialog/DialogFactory.h"
#include "tests/support/HeadlessDialogWindow.h"

class HeadlessDialogFactory : public DialogFactory {
 public:
  std::unique_ptr<DialogWindow> Create(const DialogTemplate& dialog) override {
    created.push_back(dialog.id);
    return std::make_unique<HeadlessDialogWindow>();
  }
  std::vector<int> created;  // template ids, in order
};
