#include "platform/HeadlessDialogWindow.h"

void HeadlessDialogWindow::SetDlgItemText(int id, const char* text) { texts_[id].push_back(text); }

int HeadlessDialogWindow::MessageBox(const char* text, const char* caption, int style) {
  messages_.push_back({text, caption, style});
  return kIdOk;
}

void HeadlessDialogWindow::PumpMessages() {
  ++pumpCount_;
  if (onPump) onPump();
}

std::string HeadlessDialogWindow::ItemText(int id) const {
  const auto found = texts_.find(id);
  return found == texts_.end() ? std::string() : found->second.back();
}

const std::vector<std::string>& HeadlessDialogWindow::TextHistory(int id) const {
  static const std::vector<std::string> none;
  const auto found = texts_.find(id);
  return found == texts_.end() ? none : found->second;
}
