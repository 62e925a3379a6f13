// Edit limits in bytes of UTF-8 on the real line edits, and the exchange of
// fields with the real controls.
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "platform/dialog/DataExchange.h"
#include "platform/dialog/DialogCommands.h"
#include "platform/dialog/qt/QtDialogWindow.h"
#include "tests/qt/QtTestSupport.h"

namespace {

using namespace small;

QLineEdit* EditOf(QtDialogWindow& window, int id) { return static_cast<QLineEdit*>(window.Control(id)); }

// Types each character as its own key press, whatever its script.
void Type(QLineEdit* edit, const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype length = text[i].isHighSurrogate() ? 2 : 1;
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
    i += length - 1;
  }
}

struct TypingCase {
  const char* name;
  int limit;
  const char* before;  // put in by the program, cursor at the end
  const char* typed;
  const char* after;
};

void PrintTo(const TypingCase& c, std::ostream* out) { *out << c.name; }

class QtEditLimit : public testing::TestWithParam<TypingCase> {};

TEST_P(QtEditLimit, RefusesTypingBeyondTheLimitInBytes) {
  const TypingCase& c = GetParam();
  QtDialogWindow window(SmallTemplate());
  window.LimitText(kName, c.limit);
  window.SetDlgItemText(kName, c.before);
  QLineEdit* edit = EditOf(window, kName);
  edit->end(false);
  Type(edit, QString::fromUtf8(c.typed));
  EXPECT_EQ(window.GetDlgItemText(kName), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    QtDialogWindow, QtEditLimit,
    testing::Values(
        TypingCase{"DigitsFieldTakesSeven", 7, "", "123456789", "1234567"},  // the digits field
        TypingCase{"TwoByteLetters", 5, "", "éééé", "éé"},  // two bytes each: a fifth byte is no room for one
        TypingCase{"TwoByteLettersThenASpace", 5, "", "éé a", "éé "},
        TypingCase{"ThreeByteSigns", 6, "", "€€€", "€€"},                 // three bytes each
        TypingCase{"FourByteEmoji", 5, "", "a😀😀", "a😀"},                  // four bytes, two UTF-16 units
        TypingCase{"LetterAfterTheLimitIsFull", 5, "ab", "日x", "ab日"},  // refused "x" after the full 5 bytes
        TypingCase{"ProgramsOverLongTextGrowsNoMore", 3, "toolong", "x",
                   "toolong"},  // the program's over-long text grows no more
        TypingCase{"NothingTyped", 300, "", "", ""}));

TEST(QtEditLimitEditing, AnOverLongTextOfTheProgramCanBeShortened) {
  QtDialogWindow window(SmallTemplate());
  window.LimitText(kName, 3);
  window.SetDlgItemText(kName, "abcdef");
  EXPECT_EQ(window.GetDlgItemText(kName), "abcdef") << "the program may put in more";
  QLineEdit* edit = EditOf(window, kName);
  edit->end(false);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(window.GetDlgItemText(kName), "abcde");
  edit->setSelection(1, 2);  // "bc" typed over with one letter
  Type(edit, "X");
  EXPECT_EQ(window.GetDlgItemText(kName), "aXde");
}

struct PasteCase {
  const char* name;
  int limit;
  const char* before;
  int cursor;
  const char* pasted;
  const char* after;
};

void PrintTo(const PasteCase& c, std::ostream* out) { *out << c.name; }

class QtEditLimitPaste : public testing::TestWithParam<PasteCase> {};

TEST_P(QtEditLimitPaste, KeepsAsMuchOfThePasteAsFits) {
  const PasteCase& c = GetParam();
  QtDialogWindow window(SmallTemplate());
  window.LimitText(kName, c.limit);
  window.SetDlgItemText(kName, c.before);
  QLineEdit* edit = EditOf(window, kName);
  edit->setCursorPosition(c.cursor);
  QGuiApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
  edit->paste();
  EXPECT_EQ(window.GetDlgItemText(kName), c.after);
  EXPECT_EQ(edit->cursorPosition(), edit->text().size() - (QString::fromUtf8(c.before).size() - c.cursor));
}

INSTANTIATE_TEST_SUITE_P(QtDialogWindow, QtEditLimitPaste,
                         testing::Values(PasteCase{"AtTheEnd", 5, "ab", 2, "123456", "ab123"},
                                         PasteCase{"AtTheStart", 5, "ab", 0, "123456", "123ab"},
                                         PasteCase{"InTheMiddle", 5, "abcd", 2, "XYZ", "abXcd"},
                                         PasteCase{"CutBetweenLetters", 4, "a", 1, "éé", "aé"},
                                         PasteCase{"NothingFits", 5, "abcde", 5, "x", "abcde"},
                                         PasteCase{"RepeatedLetters", 10, "aa", 1, "aaa", "aaaaa"}));

TEST(QtEditLimitEditing, AnInputMethodsTextIsCutToFit) {
  QtDialogWindow window(SmallTemplate());
  window.LimitText(kName, 7);
  QLineEdit* edit = EditOf(window, kName);
  QInputMethodEvent composed;
  composed.setCommitString(QString::fromUtf8("日本語"));
  QApplication::sendEvent(edit, &composed);
  EXPECT_EQ(window.GetDlgItemText(kName), "日本");
}

TEST(QtEditLimitEditing, ALimitOfZeroTakesTheLimitOff) {
  QtDialogWindow window(SmallTemplate());
  window.LimitText(kName, 2);
  window.LimitText(kName, 0);
  Type(EditOf(window, kName), "12345");
  EXPECT_EQ(window.GetDlgItemText(kName), "12345");
}

// The exchange of DataExchange.h, with the real controls.
struct Fields {
  std::string digits = "5";
  std::string free = "";
  int keep = 1;

  bool Exchange(DialogWindow& window, bool save) {
    DataExchange exchange(window, save, "Tarvine");
    exchange.Text(kName, digits, 3);
    exchange.Text(kOther, free);
    exchange.Check(kKeep, keep);
    return exchange.Succeeded();
  }
};

using QtDataExchange = QtWindowTest;

TEST_F(QtDataExchange, FillsTheControlsInstallsTheLimitsAndReadsTheUsersInputBack) {
  QtDialogWindow window(SmallTemplate());
  Fields fields;
  ASSERT_TRUE(fields.Exchange(window, false));
  EXPECT_EQ(EditOf(window, kName)->text(), "5");
  EXPECT_EQ(window.IsDlgButtonChecked(kKeep), 1);

  EditOf(window, kName)->end(false);
  Type(EditOf(window, kName), "6789");
  Type(EditOf(window, kOther), "prefix that has no limit of its own");
  QTest::mouseClick(window.Control(kKeep), Qt::LeftButton);
  ASSERT_TRUE(fields.Exchange(window, true));
  EXPECT_EQ(fields.digits, "567");
  EXPECT_EQ(fields.free, "prefix that has no limit of its own");
  EXPECT_EQ(fields.keep, 0);
}

TEST_F(QtDataExchange, AnOverLongTextIsReportedAndGetsTheFocusBackWithItsTextSelected) {
  QtDialogWindow window(SmallTemplate());
  Fields fields;
  struct Commands : DialogCommands {
    void OnOK() override {}
    void OnCancel() override {}
  } commands;
  QString message, caption;
  QMessageBox::Icon icon{};
  bool exchanged = true;
  QWidget* focused = nullptr;
  QString selected;
  WhenShown<QDialog>([&](QDialog*) {
    fields.Exchange(window, false);
    window.SetDlgItemText(kName, "12345");  // the program's own text, past the limit of 3
    window.GotoDlgCtrl(kOther);
    WhenShown<QMessageBox>([&](QMessageBox* box) {
      message = box->text();
      caption = box->windowTitle();
      icon = box->icon();
      box->button(QMessageBox::Ok)->click();
    });
    exchanged = fields.Exchange(window, true);
    // The desktop makes the dialog active again once the message box is gone.
    window.Dialog()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.Dialog()));
    focused = QApplication::focusWidget();
    selected = EditOf(window, kName)->selectedText();
    window.EndDialog(0);
  });
  window.DoModal(commands);
  EXPECT_FALSE(exchanged);
  EXPECT_EQ(message, "Please enter no more than 3 characters.");
  EXPECT_EQ(caption, "Tarvine");
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_EQ(focused, window.Control(kName));
  EXPECT_EQ(selected, "12345");
}

}  // namespace
