#pragma once
// Makes headless windows for further dialogs and remembers which; the test
// acts in each while it is shown.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialog/DialogFactory.h"
#include "tests/support/HeadlessDialogWindow.h"

class HeadlessDialogFactory : public DialogFactory {
 public:
  std::unique_ptr<DialogWindow> Create(const DialogTemplate& dialog) override {
    created.push_back(dialog.caption);
    auto window = std::make_unique<HeadlessDialogWindow>();
    window->whileShown = whileShown;
    return window;
  }
  std::vector<std::string> created;  // the dialogs' captions, in order
  // Given to every window made: what the user does while it is shown.
  std::function<void(HeadlessDialogWindow& window, DialogCommands& commands)> whileShown;
};
