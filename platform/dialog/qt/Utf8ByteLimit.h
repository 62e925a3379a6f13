#pragma once
// Keeps an edit's text within a number of bytes of UTF-8, as the window
// system's edit limit does (QLineEdit::maxLength counts UTF-16 units, not
// bytes): a typed character that would pass the limit is refused, and a
// paste keeps as much of its text as fits.
//
// The program may put a longer text in (take the validator off while it does,
// see QtDialogWindow::SetDlgItemText); the user can then shorten or edit that
// text, but not lengthen it. For a limit of 5 bytes:
//   "abcd" + typed "ef"          => "abcde"
//   "éé" (4 bytes) + typed "é"   => "éé"    (2 more bytes do not fit)
//   "ab" + pasted "123456"       => "ab123"
//   "abcdefgh" (the program's) + typed "x" => "abcdefgh";  + Backspace => "abcdefg"

#include <QLineEdit>
#include <QString>
#include <QValidator>

class Utf8ByteLimit : public QValidator {
 public:
  // Owned by `edit`; follows its text to tell what each change inserts.
  Utf8ByteLimit(QLineEdit* edit, int maxBytes);


  State validate(QString& input, int& cursor) const override;

 private:
  int maxBytes_;
  QString previous_;  // the edit's text before the change being validated
};
