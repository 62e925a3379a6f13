#include "tests/support/HeadlessDialogWindow.h"

void HeadlessDialogWindow::SetDlgItemText(int id, const char* text) {
  StoredControlsWindow::SetDlgItemText(id, text);
  history_[id].push_back(text);
}

int HeadlessDialogWindow::MessageBox(const char* text, const char* caption, int style) {
  messages_.push_back({text, caption, style});
  return (style & 0xF) == kMessageYesNo ? questionAnswer : kIdOk;
}

int HeadlessDialogWindow::DoModal(DialogCommands& commands) {
  const int ended = StoredControlsWindow::DoModal(commands);
  if (ended != 0 || !whileShown) return ended;
  whileShown(*this, commands);
  return Result();
}

void HeadlessDialogWindow::PumpMessages() {
  ++pumpCount_;
  if (onPump) onPump();
}

const std::vector<std::string>& HeadlessDialogWindow::TextHistory(int id) const {
  static const std::vector<std::string> none;
  const auto found = history_.find(id);
  return found == history_.end() ? none : found->second;
}

std::vector<std::string> HeadlessDialogWindow::MessageTexts() const {
  std::vector<std::string> texts;
  for (const ShownMessage& message : messages_) texts.push_back(message.text);
  return texts;
}

std::vector<std::string> HeadlessDialogWindow::MessageSentences() const {
  std::vector<std::string> sentences;
  for (const ShownMessage& message : messages_) sentences.push_back(message.text.substr(0, message.text.find('\n')));
  return sentences;
}
