#pragma once
// What a dialog does when its window reports an event. The window calls these
// during DialogWindow::DoModal.

#include <string>
#include <vector>

class DialogCommands {
 public:
  virtual ~DialogCommands() = default;
  // The controls exist: fill them, add menu items, set icons.
  virtual void OnInitDialog() {}
  // A push button was clicked.
  virtual void OnCommand(int id) { (void)id; }
  // An item of the window's menu (see DialogWindow::AppendSystemMenu) was chosen.
  virtual void OnSysCommand(int id) { (void)id; }
  // Files were dropped onto a window that accepts them (see
  // DialogWindow::DragAcceptFiles): their full paths, in the order given.
  virtual void OnDropFiles(const std::vector<std::string>& paths) { (void)paths; }
  // Enter or the default button: usually exchange, then EndDialog(1).
  virtual void OnOK() = 0;
  // Escape or the close box: usually EndDialog(2).
  virtual void OnCancel() = 0;
};
