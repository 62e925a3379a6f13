#pragma once
// What the Qt tests share: one QApplication for the test program, on Qt's
// offscreen platform unless QT_QPA_PLATFORM names another; a way to answer
// the modal windows and menus the code under test opens; a guard that ends
// a test left waiting on a window; a small dialog template.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "platform/dialog/DialogTemplate.h"

// Calls `answer` once with the first widget of type T that is the active
// popup menu or modal window, as soon as an event loop (a modal window's own)
// finds it shown and active. Register answers before opening the windows.
template <typename T>
void WhenShown(std::function<void(T*)> answer) {
  auto* poll = new QTimer(qApp);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
    QWidget* shown = QApplication::activePopupWidget();
    if (!shown) shown = QApplication::activeModalWidget();
    auto* wanted = qobject_cast<T*>(shown);
    if (!wanted || !wanted->isVisible() || !wanted->isActiveWindow()) return;
    poll->stop();
    poll->deleteLater();
    answer(wanted);
  });
  poll->start(5);
}

// A test whose windows are all closed should it wait on one for longer than
// any answer takes: the test fails instead of hanging.
class QtWindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 private:
  QTimer* watchdog_ = nullptr;
};

// Control ids of SmallTemplate().
namespace small {
constexpr int kName = 100;      // edit, tab stop
constexpr int kKeep = 101;      // check box "&Keep", tab stop
constexpr int kNameLabel = 99;  // label "&Label:", its mnemonic leads to kOther
constexpr int kOther = 102;     // edit, tab stop
constexpr int kLiteral = 103;   // label "&Fish && Chips" shown as it is
constexpr int kRun = 104;       // push button "&Run", tab stop
constexpr int kOff = 105;       // push button "Off", tab stop
constexpr int kCancel = 2;      // push button "Cancel", tab stop
constexpr int kOk = 1;          // default push button "OK", tab stop
constexpr int kFrame = 106;     // group box "Frame" around the controls, last of them
constexpr int kPicture = 107;   // the icon
constexpr int kStatus = 108;    // label, no tab stop
}  // namespace small

// 200 x 100 dialog units, caption "Test  dialog ", "MS Sans Serif" 8 points,
// minimize and maximize boxes, a 32 x 32 and a 16 x 16 icon.
const DialogTemplate& SmallTemplate();
