#include "platform/dialog/StoredControlsWindow.h"

#include "platform/dialog/DialogCommands.h"

std::string StoredControlsWindow::GetDlgItemText(int id) {
  const auto found = texts_.find(id);
  return found == texts_.end() ? std::string() : found->second;
}

void StoredControlsWindow::SetDlgItemText(int id, const char* text) { texts_[id] = text; }

int StoredControlsWindow::IsDlgButtonChecked(int id) {
  const auto found = checks_.find(id);
  return found == checks_.end() ? 0 : found->second;
}

void StoredControlsWindow::CheckDlgButton(int id, int checked) { checks_[id] = checked ? 1 : 0; }

void StoredControlsWindow::LimitText(int id, int maxBytes) { limits_[id] = maxBytes; }

ThumbnailSource StoredControlsWindow::ListThumbnails(int id) const {
  const auto found = thumbnails_.find(id);
  return found == thumbnails_.end() ? ThumbnailSource() : found->second;
}

int StoredControlsWindow::TextLimit(int id) const {
  const auto found = limits_.find(id);
  return found == limits_.end() ? 0 : found->second;
}

void StoredControlsWindow::EnableWindow(int id, bool enabled) {
  if (enabled) {
    disabled_.erase(id);
  } else {
    disabled_.insert(id);
  }
}

void StoredControlsWindow::AppendSystemMenu(int id, const char* text) { systemMenu_.emplace_back(id, text ? text : ""); }

void StoredControlsWindow::CheckMenuRadioItem(int firstId, int lastId, int checkedId) {
  for (const auto& [id, text] : systemMenu_) {
    if (id >= firstId && id <= lastId) checkedMenuItems_.erase(id);
  }
  checkedMenuItems_.insert(checkedId);
}

void StoredControlsWindow::CheckMenuItem(int id, bool checked) {
  if (checked) {
    checkedMenuItems_.insert(id);
  } else {
    checkedMenuItems_.erase(id);
  }
}

int StoredControlsWindow::DoModal(DialogCommands& commands) {
  commands.OnInitDialog();
  return result_;
}
