#pragma once
// The program's dialogs as Qt widgets: a QDialog built from a dialog
// template, its controls placed in dialog units of the dialog's font.
//
// The window never closes by itself; it reports to the DialogCommands given
// to DoModal, which end it with EndDialog:
//   Enter, or a click on the push button with id 1  => OnOK
//   Escape, the close box, the push button with id 2 => OnCancel
//   a click on any other push button                => OnCommand(id)
//   an item of the context menu (right click on the dialog; the Menu key or
//   Shift+F10 on any control)                       => OnSysCommand(id)
//   files dropped onto it, once DragAcceptFiles     => OnDropFiles(paths)
// Enter presses the default button (the template's kDefaultPushButton), or
// the push button that has the focus.

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/DialogWindow.h"

class QDialog;
class QEvent;
class QObject;
class TextFitting;
class ThrottledLabelTexts;
class QPoint;
class QWidget;

class QtDialogWindow : public DialogWindow {
 public:
  // Builds the window and its controls at once; they stay hidden until DoModal.
  explicit QtDialogWindow(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);
  ~QtDialogWindow() override;
  QtDialogWindow(const QtDialogWindow&) = delete;
  QtDialogWindow& operator=(const QtDialogWindow&) = delete;

  std::string GetDlgItemText(int id) override;
  void SetDlgItemText(int id, const char* text) override;
  int IsDlgButtonChecked(int id) override;
  void CheckDlgButton(int id, int checked) override;
  void LimitText(int id, int maxBytes) override;
  void GotoDlgCtrl(int id) override;
  void EnableWindow(int id, bool enabled) override;
  void AddListItem(int id, const char* text) override;
  // 48-pixel pictures before the lines (ListThumbnails).
  void SetListThumbnails(int id, ThumbnailSource source) override;
  void DragAcceptFiles(bool accept) override;
  void AppendSystemMenu(int id, const char* text) override;
  // The group's items show as radio items of the context menu.
  void CheckMenuRadioItem(int firstId, int lastId, int checkedId) override;
  void CheckMenuItem(int id, bool checked) override;
  // OnInitDialog before the window shows; then the window runs modally
  // until EndDialog (at once when OnInitDialog ended it already).
  int DoModal(DialogCommands& commands) override;
  void EndDialog(int result) override;
  // A QMessageBox over the dialog with the style's icon and an OK button,
  // or Yes and No (Yes the default, Escape and the close box No):
  //   0 none, 16 stop (Critical), 32 question, 48 exclamation (Warning),
  //   64 information. Its text is shown as it is, never as markup.
  int MessageBox(const char* text, const char* caption, int style) override;
  void PumpMessages() override;

  // The window itself, as the parent of other windows; null once a parent
  // given at construction has deleted it.
  QDialog* Dialog() const;
  // The control with the id (the first, should several share it); null when none.
  QWidget* Control(int id) const;
  // Every control, in template order; none once the window is gone.
  std::vector<QWidget*> Controls() const;

 private:
  void BuildControls(const DialogTemplate& dialogTemplate);
  void ButtonClicked(int id);
  void Ok();
  void Cancel();
  void ShowSystemMenu(const QPoint& globalPosition);
  void FocusControl(QWidget* control);
  // The menu keys, keyboard context menus and dropped files, on the dialog
  // or any of its controls; true when the event was taken.
  bool TakeEvent(QWidget* widget, QEvent* event);
  // Gives a label or check box the room its new text needs.
  void FitText(QWidget* control);

  QPointer<QDialog> dialog_;
  QObject* events_ = nullptr;  // a child of dialog_, watching it and its controls
  std::unique_ptr<TextFitting> fitting_;  // of dialog_'s controls, so used only while it lives
  std::unique_ptr<ThrottledLabelTexts> labelTexts_;
  QElapsedTimer sincePumped_;  // PumpMessages delivers events a few hundred times a second at most
  std::map<int, QWidget*> controls_;  // children of dialog_, so valid while it is
  std::vector<QWidget*> inTemplateOrder_;  // the same
  QWidget* firstTabStop_ = nullptr;
  std::vector<std::pair<int, QString>> systemMenu_;  // a separator has a null text
  struct RadioGroup {
    int firstId;
    int lastId;
    int checkedId;
  };
  std::vector<RadioGroup> radioGroups_;
  std::map<int, bool> checkItems_;  // the window menu's items checked on their own, by id
  DialogCommands* commands_ = nullptr;               // during DoModal only
  bool acceptsFiles_ = false;
  bool ended_ = false;
  int result_ = 0;
};
