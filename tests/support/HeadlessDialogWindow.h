#pragma once
// A dialog window without a display: controls kept in memory, every text a
// control was given kept in order, message boxes recorded and answered at
// once (OK, or a question as the test says). Tests drive the program's
// commands through it, also while it is shown modally (whileShown).

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog/DialogCommands.h"
#include "platform/dialog/StoredControlsWindow.h"

class HeadlessDialogWindow : public StoredControlsWindow {
 public:
  struct ShownMessage {
    std::string text;
    std::string caption;
    int style;
  };

  void SetDlgItemText(int id, const char* text) override;
  int MessageBox(const char* text, const char* caption, int style) override;
  // OnInitDialog, then whileShown unless that ended the dialog; returns
  // EndDialog's result, 0 when nothing ended it.
  int DoModal(DialogCommands& commands) override;
  void PumpMessages() override;

  // The control's current text; empty for a control never set.
  std::string ItemText(int id) { return GetDlgItemText(id); }
  // Every text the control was given, oldest first.
  const std::vector<std::string>& TextHistory(int id) const;
  const std::vector<ShownMessage>& Messages() const { return messages_; }
  // The texts of Messages(), oldest first.
  std::vector<std::string> MessageTexts() const;
  // The first line of each text: a message's sentence, without the detail
  // that follows it on the lines below.
  std::vector<std::string> MessageSentences() const;
  int PumpCount() const { return pumpCount_; }

  // Called at each PumpMessages, standing in for an event delivered then.
  std::function<void()> onPump;
  // What the user does while the dialog is shown: click its buttons through
  // `commands`, read its controls.
  std::function<void(HeadlessDialogWindow& window, DialogCommands& commands)> whileShown;
  // The answer to a Yes/No message box.
  int questionAnswer = kIdYes;

 private:
  std::map<int, std::vector<std::string>> history_;
  std::vector<ShownMessage> messages_;
  int pumpCount_ = 0;
};
