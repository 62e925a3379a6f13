// The dialog's modal run: what reaches the commands, when the window ends,
// its context menu, message boxes and the message pump.
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "platform/dialog/DialogCommands.h"
#include "platform/dialog/qt/QtDialogWindow.h"
#include "tests/qt/QtTestSupport.h"

namespace {

using namespace small;

// Records what the window reports; ends the dialog on OK and Cancel unless told to ignore them.
struct RecordingCommands : DialogCommands {
  explicit RecordingCommands(QtDialogWindow& window) : window(window) {}
  QtDialogWindow& window;
  bool endOnOk = true;
  bool endOnCancel = true;
  std::vector<std::string> events;
  std::function<void(int)> onCommand;

  void OnInitDialog() override { events.push_back(window.Dialog()->isVisible() ? "init while shown" : "init"); }
  void OnCommand(int id) override {
    events.push_back("command " + std::to_string(id));
    if (onCommand) onCommand(id);
  }
  void OnSysCommand(int id) override { events.push_back("syscommand " + std::to_string(id)); }
  void OnDropFiles(const std::vector<std::string>& paths) override {
    std::string event = "drop";
    for (const std::string& path : paths) event += " " + path;
    events.push_back(event);
  }
  void OnOK() override {
    events.push_back("ok");
    if (endOnOk) window.EndDialog(kIdOk);
  }
  void OnCancel() override {
    events.push_back("cancel");
    if (endOnCancel) window.EndDialog(kIdCancel);
  }
};

using QtDialogModal = QtWindowTest;

TEST_F(QtDialogModal, InitRunsBeforeTheWindowShowsWithTheFocusOnTheFirstTabStop) {
  QtDialogWindow window(SmallTemplate());
  RecordingCommands commands(window);
  QWidget* focused = nullptr;
  WhenShown<QDialog>([&](QDialog*) {
    focused = QApplication::focusWidget();
    window.EndDialog(42);
  });
  EXPECT_EQ(window.DoModal(commands), 42);
  EXPECT_EQ(commands.events, std::vector<std::string>{"init"});
  EXPECT_EQ(focused, window.Control(kName));
  EXPECT_FALSE(window.Dialog()->isVisible());
}

TEST_F(QtDialogModal, EndDialogDuringInitEndsWithoutShowing) {
  QtDialogWindow window(SmallTemplate());
  struct EndAtInit : DialogCommands {
    QtDialogWindow* window;
    void OnInitDialog() override { window->EndDialog(7); }
    void OnOK() override {}
    void OnCancel() override {}
  } commands;
  commands.window = &window;
  EXPECT_EQ(window.DoModal(commands), 7);
}

struct KeyCase {
  const char* name;
  std::function<void(QtDialogWindow&)> act;
  const char* reported;
  int result;
};

void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.name; }

class QtDialogKeys : public QtWindowTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(QtDialogKeys, ReachTheCommandsWhichEndTheDialog) {
  QtDialogWindow window(SmallTemplate());
  RecordingCommands commands(window);
  WhenShown<QDialog>([&](QDialog*) { GetParam().act(window); });
  EXPECT_EQ(window.DoModal(commands), GetParam().result);
  EXPECT_EQ(commands.events, (std::vector<std::string>{"init", GetParam().reported}));
}

INSTANTIATE_TEST_SUITE_P(
    QtDialogModal, QtDialogKeys,
    testing::Values(
        KeyCase{"EnterInAnEdit", [](QtDialogWindow& w) { QTest::keyClick(w.Control(kOther), Qt::Key_Return); }, "ok",
                kIdOk},
        KeyCase{"KeypadEnterInAnEdit",
                [](QtDialogWindow& w) { QTest::keyClick(w.Control(kName), Qt::Key_Enter, Qt::KeypadModifier); }, "ok",
                kIdOk},
        KeyCase{"TheDefaultButton", [](QtDialogWindow& w) { QTest::mouseClick(w.Control(kOk), Qt::LeftButton); }, "ok",
                kIdOk},
        KeyCase{"Escape", [](QtDialogWindow& w) { QTest::keyClick(w.Control(kName), Qt::Key_Escape); }, "cancel",
                kIdCancel},
        KeyCase{"TheCloseBox", [](QtDialogWindow& w) { w.Dialog()->close(); }, "cancel", kIdCancel},
        KeyCase{"TheButtonWithIdTwo", [](QtDialogWindow& w) { QTest::mouseClick(w.Control(kCancel), Qt::LeftButton); },
                "cancel", kIdCancel}));

TEST_F(QtDialogModal, ADialogWhoseCommandsIgnoreCancelStaysOpen) {
  QtDialogWindow window(SmallTemplate());
  RecordingCommands commands(window);
  commands.endOnCancel = false;
  commands.endOnOk = false;
  bool openAfterAll = false;
  WhenShown<QDialog>([&](QDialog* dialog) {
    QTest::keyClick(window.Control(kName), Qt::Key_Escape);
    dialog->close();
    QTest::keyClick(window.Control(kName), Qt::Key_Return);
    QApplication::processEvents();
    openAfterAll = dialog->isVisible();
    window.EndDialog(9);
  });
  EXPECT_EQ(window.DoModal(commands), 9);
  EXPECT_TRUE(openAfterAll);
  EXPECT_EQ(commands.events, (std::vector<std::string>{"init", "cancel", "cancel", "ok"}));
}

TEST_F(QtDialogModal, ButtonsReportTheirIdsButDisabledOnesAndCheckBoxesDoNot) {
  QtDialogWindow window(SmallTemplate());
  RecordingCommands commands(window);
  window.EnableWindow(kOff, false);
  WhenShown<QDialog>([&](QDialog*) {
    QTest::mouseClick(window.Control(kRun), Qt::LeftButton);
    QTest::mouseClick(window.Control(kOff), Qt::LeftButton);
    QTest::mouseClick(window.Control(kKeep), Qt::LeftButton);
    QTest::keyClick(window.Dialog(), Qt::Key_R, Qt::AltModifier);  // "&Run", which Qt animates
    EXPECT_TRUE(QTest::qWaitFor([&] { return commands.events.size() == 3; }));
    window.EndDialog(0);
  });
  window.DoModal(commands);
  EXPECT_EQ(commands.events, (std::vector<std::string>{"init", "command 104", "command 104"}));
  EXPECT_EQ(window.IsDlgButtonChecked(kKeep), 1);
}

TEST_F(QtDialogModal, TheContextMenuOffersTheAppendedItemsAndReportsTheChosenOne) {
  QtDialogWindow window(SmallTemplate());
  RecordingCommands commands(window);
  window.AppendSystemMenu(0, nullptr);
  window.AppendSystemMenu(16, "&About Tarvine...");
  window.AppendSystemMenu(32, "&Other");
  std::vector<std::string> shown;
  WhenShown<QDialog>([&](QDialog* dialog) {
    WhenShown<QMenu>([&](QMenu* menu) {
      for (const QAction* action : menu->actions())
        shown.push_back(action->isSeparator() ? "-" : action->text().toStdString());
      QTest::keyClick(menu, Qt::Key_A);  // the mnemonic chooses the item
    });
    // A right click on the dialog where no control is.
    QTest::mouseClick(dialog->windowHandle(), Qt::RightButton, {}, QPoint(dialog->width() - 3, dialog->height() - 3));
    window.EndDialog(0);
  });
  window.DoModal(commands);
  EXPECT_EQ(shown, (std::vector<std::string>{"-", "&About Tarvine...", "&Other"}));
  EXPECT_EQ(commands.events, (std::vector<std::string>{"init", "syscommand 16"}));
}

struct MenuKeyCase {
  const char* name;
  int control;
  std::function<void(QWidget*)> press;
};

void PrintTo(const MenuKeyCase& c, std::ostream* out) { *out << c.name; }

class QtDialogMenuKeys : public QtWindowTest, public testing::WithParamInterface<MenuKeyCase> {};

// From the keyboard the dialog's menu opens on every control, an edit with
// a menu of its own included.
TEST_P(QtDialogMenuKeys, OpenTheDialogsMenuOnTheControlThatHasTheFocus) {
  QtDialogWindow window(SmallTemplate());
  RecordingCommands commands(window);
  window.AppendSystemMenu(16, "&About Tarvine...");
  bool ownMenu = true;
  WhenShown<QDialog>([&](QDialog*) {
    WhenShown<QMenu>([&](QMenu* menu) {
      ownMenu = menu->parentWidget() == window.Dialog();
      QTest::keyClick(menu, Qt::Key_Down);
      QTest::keyClick(menu, Qt::Key_Return);
    });
    window.GotoDlgCtrl(GetParam().control);
    GetParam().press(QApplication::focusWidget());
    window.EndDialog(0);
  });
  window.DoModal(commands);
  EXPECT_TRUE(ownMenu) << "the dialog's menu, not the control's";
  EXPECT_EQ(commands.events, (std::vector<std::string>{"init", "syscommand 16"}));
}

INSTANTIATE_TEST_SUITE_P(
    QtDialogModal, QtDialogMenuKeys,
    testing::Values(MenuKeyCase{"MenuKeyOnAnEdit", kName, [](QWidget* w) { QTest::keyClick(w, Qt::Key_Menu); }},
                    MenuKeyCase{"ShiftF10OnAnEdit", kName,
                                [](QWidget* w) { QTest::keyClick(w, Qt::Key_F10, Qt::ShiftModifier); }},
                    MenuKeyCase{"ShiftF10OnACheckBox", kKeep,
                                [](QWidget* w) { QTest::keyClick(w, Qt::Key_F10, Qt::ShiftModifier); }},
                    // The desktop turns the Menu key into a context menu event
                    // for the control that has the focus.
                    MenuKeyCase{"TheDesktopsMenuEventOnAnEdit", kName, [](QWidget* w) {
                                  QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, w->rect().center(),
                                                            w->mapToGlobal(w->rect().center()));
                                  QApplication::sendEvent(w, &menuKey);
                                }}));

// Sends a drag of `urls` over `target` and drops it there, as the desktop
// does; whether the drag was accepted.
bool DragAndDrop(QWidget* target, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

TEST_F(QtDialogModal, FilesDroppedOntoAWindowThatTakesThemReachTheCommandsLocalFilesOnly) {
  QtDialogWindow window(SmallTemplate());
  RecordingCommands commands(window);
  const QList<QUrl> files{QUrl("https://example.org/a.jpg"), QUrl::fromLocalFile("/pics/a b.jpg"),
                          QUrl::fromLocalFile("/pics/Grüße.jpg")};
  std::vector<bool> accepted;
  WhenShown<QDialog>([&](QDialog* dialog) {
    accepted.push_back(DragAndDrop(window.Control(kName), files));  // not yet taken
    window.DragAcceptFiles(true);
    EXPECT_TRUE(dialog->acceptDrops());
    accepted.push_back(DragAndDrop(window.Control(kName), files));  // an edit, which would take text itself
    accepted.push_back(DragAndDrop(dialog, {QUrl::fromLocalFile("/pics/b.gif")}));
    accepted.push_back(DragAndDrop(dialog, {QUrl("https://example.org/a.jpg")}));
    window.EndDialog(0);
  });
  window.DoModal(commands);
  EXPECT_EQ(accepted, (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(commands.events,
            (std::vector<std::string>{"init", "drop /pics/a b.jpg /pics/Grüße.jpg", "drop /pics/b.gif"}));
}

TEST_F(QtDialogModal, WithoutItemsARightClickOpensNoMenu) {
  QtDialogWindow window(SmallTemplate());
  RecordingCommands commands(window);
  bool menuShown = true;
  WhenShown<QDialog>([&](QDialog* dialog) {
    QTest::mouseClick(dialog->windowHandle(), Qt::RightButton, {}, QPoint(dialog->width() - 3, dialog->height() - 3));
    menuShown = QApplication::activePopupWidget() != nullptr;
    window.EndDialog(0);
  });
  window.DoModal(commands);
  EXPECT_FALSE(menuShown);
}

struct MessageCase {
  const char* name;
  int style;
  QMessageBox::Icon icon;
};

void PrintTo(const MessageCase& c, std::ostream* out) { *out << c.name; }

class QtMessageBoxes : public QtWindowTest, public testing::WithParamInterface<MessageCase> {};

TEST_P(QtMessageBoxes, ShowTheStylesIconAndThePlainTextOverTheDialog) {
  QtDialogWindow window(SmallTemplate());
  QMessageBox::Icon icon{};
  QString text, caption;
  QWidget* owner = nullptr;
  WhenShown<QMessageBox>([&](QMessageBox* box) {
    icon = box->icon();
    text = box->text();
    caption = box->windowTitle();
    owner = box->parentWidget();
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    ASSERT_NE(box->button(QMessageBox::Ok), nullptr);
    EXPECT_EQ(box->buttons().size(), 1);
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(window.MessageBox("Could not open <b>x</b> & y.", "Error", GetParam().style), kIdOk);
  EXPECT_EQ(icon, GetParam().icon);
  EXPECT_EQ(text, "Could not open <b>x</b> & y.");
  EXPECT_EQ(caption, "Error");
  EXPECT_EQ(owner, window.Dialog());
}

INSTANTIATE_TEST_SUITE_P(QtDialogModal, QtMessageBoxes,
                         testing::Values(MessageCase{"OkAlone", kMessageOk, QMessageBox::NoIcon},
                                         MessageCase{"Stop", kMessageStop, QMessageBox::Critical},
                                         MessageCase{"Exclamation", kMessageExclamation, QMessageBox::Warning}));

TEST_F(QtDialogModal, AMessageBoxClosedWithEscapeCountsAsOk) {
  QtDialogWindow window(SmallTemplate());
  WhenShown<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
  EXPECT_EQ(window.MessageBox("Done.", "Good work.", kMessageOk), kIdOk);
}

TEST_F(QtDialogModal, AQuestionIsAnsweredYesOrNoAndEscapeSaysNo) {
  QtDialogWindow window(SmallTemplate());
  QMessageBox::Icon icon{};
  const auto answer = [&](std::function<void(QMessageBox*)> act) {
    WhenShown<QMessageBox>([&, act](QMessageBox* box) {
      icon = box->icon();
      act(box);
    });
    return window.MessageBox("Take back 3 renames?", "Undo", kMessageYesNo | kMessageQuestion);
  };
  EXPECT_EQ(answer([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); }), kIdYes);
  EXPECT_EQ(icon, QMessageBox::Question);
  EXPECT_EQ(answer([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }), kIdYes) << "Yes is the default";
  EXPECT_EQ(answer([](QMessageBox* box) { box->button(QMessageBox::No)->click(); }), kIdNo);
  EXPECT_EQ(answer([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }), kIdNo);
  EXPECT_EQ(answer([](QMessageBox* box) { box->close(); }), kIdNo);
}

// An object that counts the events posted to it.
struct EventCounter : QObject {
  int delivered = 0;
  bool event(QEvent* e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    ++delivered;
    return true;
  }
};

TEST_F(QtDialogModal, PumpDeliversWhatIsPendingOnceAndReturnsWhenNothingIs) {
  QtDialogWindow window(SmallTemplate());
  EventCounter counter;
  window.PumpMessages();  // nothing pending: returns
  QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
  QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
  EXPECT_EQ(counter.delivered, 0);
  QTest::qSleep(3);  // pumps deliver a few hundred times a second at most
  window.PumpMessages();
  EXPECT_EQ(counter.delivered, 2);
  QTest::qSleep(3);
  window.PumpMessages();
  EXPECT_EQ(counter.delivered, 2);

  // A pump right after a delivery may leave an event for the next one.
  QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
  window.PumpMessages();
  QTest::qSleep(3);
  window.PumpMessages();
  EXPECT_EQ(counter.delivered, 3);
}

TEST_F(QtDialogModal, PumpingInsideACommandDeliversTheUsersInputAtOnce) {
  QtDialogWindow window(SmallTemplate());
  RecordingCommands commands(window);
  int checkedDuringTheCommand = -1;
  commands.onCommand = [&](int id) {
    if (id != kRun) return;
    // The user clicks the check box while the command works.
    QMetaObject::invokeMethod(window.Control(kKeep), "click", Qt::QueuedConnection);
    window.SetDlgItemText(kStatus, "Working...");
    window.PumpMessages();
    checkedDuringTheCommand = window.IsDlgButtonChecked(kKeep);
  };
  WhenShown<QDialog>([&](QDialog*) {
    QTest::mouseClick(window.Control(kRun), Qt::LeftButton);
    window.EndDialog(0);
  });
  window.DoModal(commands);
  EXPECT_EQ(checkedDuringTheCommand, 1);
}

}  // namespace
