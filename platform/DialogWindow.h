#pragma once
// The window-system operations the program's commands use on their dialog.
// A Qt window, a console and a headless recorder implement them.

// Message box styles, numbered as the window system numbers them.
constexpr int kMessageOk = 0;     // an OK button alone
constexpr int kMessageStop = 16;  // a stop icon and an OK button

// What a message box returns when its OK button closes it.
constexpr int kIdOk = 1;

class DialogWindow {
 public:
  virtual ~DialogWindow() = default;

  // Replaces the text of one control.
  virtual void SetDlgItemText(int id, const char* text) = 0;

  // Shows a modal message box owned by the dialog; returns the button that closed it.
  virtual int MessageBox(const char* text, const char* caption, int style) = 0;

  // Delivers every pending window event once and returns; never waits.
  virtual void PumpMessages() = 0;
};
