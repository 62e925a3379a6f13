#pragma once
// A dialog window whose controls are values kept in memory: texts, check
// states, text limits and the focus, by control id. The headless and the
// console windows build on it.

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialog/DialogWindow.h"

class StoredControlsWindow : public DialogWindow {
 public:
  std::string GetDlgItemText(int id) override;
  void SetDlgItemText(int id, const char* text) override;
  int IsDlgButtonChecked(int id) override;
  void CheckDlgButton(int id, int checked) override;
  void LimitText(int id, int maxBytes) override;
  void GotoDlgCtrl(int id) override { focus_ = id; }
  void EnableWindow(int id, bool enabled) override;
  void AddListItem(int id, const char* text) override { lists_[id].push_back(text); }
  void SetListThumbnails(int id, ThumbnailSource source) override { thumbnails_[id] = std::move(source); }
  void DragAcceptFiles(bool accept) override { acceptsFiles_ = accept; }
  void AppendSystemMenu(int id, const char* text) override;
  void CheckMenuRadioItem(int firstId, int lastId, int checkedId) override;
  void CheckMenuItem(int id, bool checked) override;
  // Tells `commands` OnInitDialog and returns at once: with no one to use
  // the dialog, the result is the one EndDialog got during it, else 0.
  int DoModal(DialogCommands& commands) override;
  void EndDialog(int result) override { result_ = result; }

  // The limit installed on a control; 0 when none.
  int TextLimit(int id) const;
  // The control that has the focus; 0 when none was given it.
  int Focus() const { return focus_; }
  // Whether a control is enabled; every control is until disabled.
  bool IsEnabled(int id) const { return !disabled_.count(id); }
  // A list box's lines, in order.
  const std::vector<std::string>& ListItems(int id) { return lists_[id]; }
  // A list box's source of pictures; empty when it was given none.
  ThumbnailSource ListThumbnails(int id) const;
  bool AcceptsFiles() const { return acceptsFiles_; }
  // The window menu's items, in order; a separator has the text "".
  const std::vector<std::pair<int, std::string>>& SystemMenu() const { return systemMenu_; }
  // Whether the window menu's item is checked, as a radio item or on its own.
  bool IsMenuItemChecked(int id) const { return checkedMenuItems_.count(id) != 0; }
  // EndDialog's result; 0 while the dialog has not ended.
  int Result() const { return result_; }

 private:
  std::map<int, std::string> texts_;
  std::map<int, int> checks_;
  std::map<int, int> limits_;
  int focus_ = 0;
  std::set<int> disabled_;
  std::map<int, std::vector<std::string>> lists_;
  std::map<int, ThumbnailSource> thumbnails_;
  bool acceptsFiles_ = false;
  std::vector<std::pair<int, std::string>> systemMenu_;
  std::set<int> checkedMenuItems_;
  int result_ = 0;
};
