#pragma once
// The exchange between a dialog's fields and its controls, one direction per
// UpdateData call. Into the controls: each control shows its field and each
// edit control gets its limit. Out of the controls: each field takes its
// control's text or check; a text over its limit stops the exchange with the
// window system's message, and the control gets the focus back.

#include <string>

#include "platform/dialog/DialogWindow.h"

class DataExchange {
 public:
  // `caption` titles the message of a text over its limit, as the window
  // system titles its own messages with the program's name.
  DataExchange(DialogWindow& window, bool saveAndValidate, const char* caption)
      : window_(window), saving_(saveAndValidate), caption_(caption) {}

  // Pairs a text field with an edit control; a limit above 0 is that control's
  // most bytes.
  void Text(int id, std::string& field, int maxBytes = 0);
  // Pairs a field of 0 or 1 with a check box.
  void Check(int id, int& field);

  // False once a text was over its limit; pairs after it are not exchanged.
  bool Succeeded() const { return !failed_; }

 private:
  DialogWindow& window_;
  bool saving_;
  const char* caption_;
  bool failed_ = false;
};

// "Please enter no more than %1 characters." with %1 the limit:
//   7   => "Please enter no more than 7 characters."
//   300 => "Please enter no more than 300 characters."
std::string TooManyCharactersMessage(int maxBytes);
