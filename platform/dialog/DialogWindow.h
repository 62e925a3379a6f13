#pragma once
// The window-system operations the program's dialogs use. A Qt window, a
// console and a headless recorder implement them.

#include <cstddef>
#include <functional>
#include <string>

// The operations bear the window system's names; where its header was read
// first, its macros for the 8-bit and wide variants would rename them.
#undef GetDlgItemText
#undef SetDlgItemText
#undef MessageBox

class DialogCommands;

// The picture of a list box's line: the encoded bytes of a picture (JPEG,
// PNG, ...), else the path of a file the window system may draw its own
// thumbnail of; with neither, or what cannot be drawn, a plain icon.
struct Thumbnail {
  std::string encoded;
  std::string path;
};

// Gives the picture of a list box's line (from 0), drawn `edgePixels`
// device pixels on its longer side. Called on worker threads, several at
// once, also after the dialog has closed: it holds what it needs itself.
using ThumbnailSource = std::function<Thumbnail(size_t line, int edgePixels)>;

// Message box styles, numbered as the window system numbers them: the
// buttons in the low four bits, the icon above them.
constexpr int kMessageOk = 0;            // an OK button alone
constexpr int kMessageYesNo = 4;         // Yes and No buttons; Escape answers No
constexpr int kMessageStop = 16;         // a stop icon
constexpr int kMessageQuestion = 32;     // a question mark
constexpr int kMessageExclamation = 48;  // an exclamation icon
constexpr int kMessageInformation = 64;  // an information icon

// The buttons that close a message box, and the results of a modal dialog.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

class DialogWindow {
 public:
  virtual ~DialogWindow() = default;

  // The text of one control, and replacing it.
  virtual std::string GetDlgItemText(int id) = 0;
  virtual void SetDlgItemText(int id, const char* text) = 0;

  // A check box's state: 1 checked, 0 not.
  virtual int IsDlgButtonChecked(int id) = 0;
  virtual void CheckDlgButton(int id, int checked) = 0;

  // The most bytes an edit control lets the user type or paste.
  virtual void LimitText(int id, int maxBytes) = 0;

  // Gives one control the keyboard focus.
  virtual void GotoDlgCtrl(int id) = 0;

  // A disabled control takes no input and shows that it does not.
  virtual void EnableWindow(int id, bool enabled) = 0;

  // Adds a line at the end of a list box.
  virtual void AddListItem(int id, const char* text) = 0;
  // Shows a small picture before each line of a list box, a plain icon until
  // `source` has given it; asked only for lines that come into view, off the
  // window's thread. A window that shows no pictures ignores it.
  virtual void SetListThumbnails(int /*id*/, ThumbnailSource /*source*/) {}

  // Whether files dragged from the file manager may be dropped onto the
  // window; a drop calls DialogCommands::OnDropFiles. Off until turned on.
  virtual void DragAcceptFiles(bool accept) = 0;

  // Adds an item to the window's own menu (on Linux the dialog's context
  // menu: right click, the Menu key or Shift+F10); a null text adds a separator.
  // Choosing the item calls DialogCommands::OnSysCommand(id).
  virtual void AppendSystemMenu(int id, const char* text) = 0;
  // Makes the window menu's items with ids from `firstId` to `lastId` one
  // group of radio items and checks `checkedId` among them, unchecking the
  // others.
  virtual void CheckMenuRadioItem(int firstId, int lastId, int checkedId) = 0;
  // Makes the window menu's item `id` one that is checked or not, on its own.
  virtual void CheckMenuItem(int id, bool checked) = 0;

  // Shows the dialog modally, reporting its events to `commands`, until
  // EndDialog; returns the result EndDialog was given.
  virtual int DoModal(DialogCommands& commands) = 0;
  virtual void EndDialog(int result) = 0;

  // Shows a modal message box owned by the dialog; returns the button that closed it.
  virtual int MessageBox(const char* text, const char* caption, int style) = 0;

  // Delivers every pending window event once and returns; never waits.
  virtual void PumpMessages() = 0;
};
