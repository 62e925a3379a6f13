#pragma once
// Making the window of a further dialog (the About box) on the same window
// system as the main one.

#include <memory>

#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/DialogWindow.h"

class DialogFactory {
 public:
  virtual ~DialogFactory() = default;
  // A window built from `dialog`, owned by the main dialog's window.
  virtual std::unique_ptr<DialogWindow> Create(const DialogTemplate& dialog) = 0;
};
