#include "tests/qt/QtTestSupport.h"

#include <QDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

QtMessageHandler previousHandler = nullptr;

class QtApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's file dialog keeps its state in the user's configuration: keep
    // it in a directory of the test's own.
    home_ = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", home_->path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", home_->path().toUtf8());
    // The offscreen platform has no window manager to raise windows or grab
    // the keyboard, and says so at every menu: not worth a line each.
    previousHandler =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
          if (previousHandler && !text.startsWith(QLatin1String("This plugin does not support"))) {
            previousHandler(type, context, text);
          }
        });
    application_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override {
    application_.reset();
    home_.reset();
  }

 private:
  int argc_ = 1;
  char name_[16] = "platform_qt";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QTemporaryDir> home_;
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const registered =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

// An XPM picture of one colour, kept for the test program's life (a deque
// never moves what it holds).
const char* const* SquareXpm(int size) {
  static std::deque<std::vector<std::string>> texts;
  static std::deque<std::vector<const char*>> pictures;
  std::vector<std::string> lines{std::to_string(size) + " " + std::to_string(size) + " 1 1", ". c #2060C0"};
  for (int row = 0; row < size; ++row) lines.push_back(std::string(size, '.'));
  texts.push_back(lines);
  std::vector<const char*> picture;
  for (const auto& line : texts.back()) picture.push_back(line.c_str());
  pictures.push_back(picture);
  return pictures.back().data();
}

}  // namespace

void QtWindowTest::SetUp() {
  watchdog_ = new QTimer(qApp);
  watchdog_->setSingleShot(true);
  QObject::connect(watchdog_, &QTimer::timeout, [] {
    ADD_FAILURE() << "a window waited for an answer that never came";
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (!window->isVisible()) continue;
      if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->done(0);
      } else if (qobject_cast<QMenu*>(window)) {
        window->close();
      }
    }
  });
  watchdog_->start(20000);
}

void QtWindowTest::TearDown() { delete watchdog_; }

const DialogTemplate& SmallTemplate() {
  using namespace small;
  static const IconImages icon{SquareXpm(32), SquareXpm(16)};
  static const DialogTemplate dialog{
      "Test  dialog ",
      200,
      100,
      "MS Sans Serif",
      8,
      true,
      true,
      &icon,
      {
          {kName, ControlKind::kEdit, "", 10, 10, 80, 12, ControlStyle::kTabStop},
          {kKeep, ControlKind::kCheckBox, "&Keep", 10, 26, 80, 10, ControlStyle::kTabStop},
          {kNameLabel, ControlKind::kLabel, "&Label:", 10, 42, 40, 8, 0},
          {kOther, ControlKind::kEdit, "", 55, 40, 35, 12, ControlStyle::kTabStop},
          {kLiteral, ControlKind::kLabel, "&Fish && Chips", 10, 58, 80, 8, ControlStyle::kNoPrefix},
          {kRun, ControlKind::kPushButton, "&Run", 100, 10, 50, 14, ControlStyle::kTabStop},
          {kOff, ControlKind::kPushButton, "Off", 100, 28, 50, 14, ControlStyle::kTabStop},
          {kCancel, ControlKind::kPushButton, "Cancel", 100, 46, 50, 14, ControlStyle::kTabStop},
          {kOk, ControlKind::kDefaultPushButton, "OK", 100, 64, 50, 14, ControlStyle::kTabStop},
          {kFrame, ControlKind::kGroupBox, "Frame", 5, 2, 150, 85, 0},
          {kPicture, ControlKind::kIcon, "", 165, 10, 20, 20, 0},
          {kStatus, ControlKind::kLabel, "Ready", 10, 70, 80, 8, 0},
      }};
  return dialog;
}
