// The main dialog with real widgets, on Qt's offscreen platform.

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/DialogTemplates.h"
#include "app/MainDialog.h"
#include "platform/dialog/qt/QtDialogWindow.h"
#include "renumber/ControlIds.h"
#include "tests/qt/QtTestSupport.h"
#include "tests/support/FaultyFileServices.h"
#include "tests/support/RecordingLauncher.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempDir.h"

namespace {

// Further dialogs as Qt windows, as the program makes them.
class QtDialogs : public DialogFactory {
 public:
  std::unique_ptr<DialogWindow> Create(const DialogTemplate& dialog) override {
    return std::make_unique<QtDialogWindow>(dialog);
  }
};

class QtMainDialogTest : public QtWindowTest {
 protected:
  void SetUp() override {
    QtWindowTest::SetUp();
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvine-qt-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    configHome_ = std::make_unique<ScopedEnvironment>("XDG_CONFIG_HOME", (root_ / "config").string());
  }
  void TearDown() override {
    configHome_.reset();
    std::filesystem::remove_all(root_);
    QtWindowTest::TearDown();
  }

  QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(window.Control(id)); }
  QString Text(int id) { return QString::fromUtf8(window.GetDlgItemText(id).c_str()); }

  std::filesystem::path root_;
  std::unique_ptr<ScopedEnvironment> configHome_;  // Tarvine.ini goes into it
  QtDialogWindow window{MainDialogTemplate()};
  QtDialogs dialogs;
  RecordingLauncher launcher;
  MainDialog dialog{window, dialogs, launcher};
};

TEST_F(QtMainDialogTest, OpensWithTheInitialValuesAndRefusesTypingBeyondTheLimits) {
  WhenShown<QDialog>([&](QDialog* shown) {
    EXPECT_EQ(shown->windowTitle(), "Kavo's  Plim Renumber ");
    EXPECT_EQ(QApplication::focusWidget(), window.Control(kPathField));
    EXPECT_EQ(Text(kDigitsField), "5");
    EXPECT_EQ(Text(kSecondsField), "4");
    EXPECT_EQ(Text(kStatusLine), "Ready");
    EXPECT_TRUE(qobject_cast<QCheckBox*>(window.Control(kViewAfterRunBox))->isChecked());
    EXPECT_FALSE(qobject_cast<QCheckBox*>(window.Control(kKeepLogBox))->isChecked());

    struct Case {
      int id;
      int typed;
      int kept;
    };
    for (const Case& c : {Case{kDigitsField, 8, 7}, Case{kPathField, 301, 300}, Case{kSecondsField, 7, 6},
                          Case{kPrefixField, 400, 400}}) {
      Edit(c.id)->clear();
      QTest::keyClicks(Edit(c.id), QString(c.typed, '1'));
      EXPECT_EQ(Edit(c.id)->text().size(), c.kept) << c.id;
    }
    Edit(kDigitsField)->setText("3");
    Edit(kPathField)->clear();
    // Enter in an edit presses Exit, which ends the program after the exchange.
    QTest::keyClick(Edit(kPrefixField), Qt::Key_Return);
  });
  EXPECT_EQ(window.DoModal(dialog), kIdOk);
  EXPECT_EQ(dialog.options.digitsText, "3");
  EXPECT_EQ(dialog.options.prefixText.size(), 400u);
  EXPECT_FALSE(std::filesystem::exists(root_ / "config" / "tarvine")) << "nothing is saved at exit";
}

TEST_F(QtMainDialogTest, GoForItRunsWithTheCommandsDisabledAndReportsInTheStatusAndCountLines) {
  for (const char* name : {"c.jpg", "a.jpg", "b.jpg"}) std::ofstream(root_ / name) << name;
  FaultyFileServices files;
  ScopedFileServices filesInForce(files);
  std::vector<bool> enabledDuringRun;
  files.beforeRename = [&](int, const char*, const char*) {
    for (int id : {kGoButton, kBrowseButton, kChooseViewerButton, kIdOk}) {
      enabledDuringRun.push_back(window.Control(id)->isEnabled());
    }
  };

  std::string message;
  WhenShown<QMessageBox>([&](QMessageBox* box) {
    message = box->text().toStdString();
    QTest::keyClick(box, Qt::Key_Return);
  });
  WhenShown<QDialog>([&](QDialog*) {
    Edit(kPathField)->setText(QString::fromStdString((root_ / "a.jpg").string()));
    qobject_cast<QCheckBox*>(window.Control(kViewAfterRunBox))->setChecked(false);
    QTest::mouseClick(window.Control(kGoButton), Qt::LeftButton);
    // The click runs the whole command, its message box answered above.
    EXPECT_EQ(Text(kStatusLine), "Done.");
    EXPECT_EQ(Text(kCountLine), "   3 files.");
    EXPECT_EQ(Text(kPathField), "");
    EXPECT_TRUE(window.Control(kGoButton)->isEnabled());
    QTest::keyClick(window.Dialog(), Qt::Key_Escape);
  });
  EXPECT_EQ(window.DoModal(dialog), kIdCancel);
  EXPECT_EQ(message, "Directory renumbered.");
  EXPECT_EQ(enabledDuringRun, std::vector<bool>(12, false));
  EXPECT_TRUE(std::filesystem::exists(root_ / "00001.jpg"));
  EXPECT_TRUE(std::filesystem::exists(root_ / "00003.jpg"));
}

TEST_F(QtMainDialogTest, TheContextMenuOpensTheAboutBox) {
  std::vector<std::string> items;
  QString aboutTitle;
  QString aboutText;
  WhenShown<QDialog>([&](QDialog* shown) {
    WhenShown<QMenu>([&](QMenu* menu) {
      for (const QAction* action : menu->actions()) {
        items.push_back(action->isSeparator() ? "-"
                                              : action->text().toStdString() + (action->isChecked() ? " (*)" : ""));
      }
      WhenShown<QDialog>([&](QDialog* about) {
        aboutTitle = about->windowTitle();
        for (QLabel* label : about->findChildren<QLabel*>()) {
          if (!label->text().isEmpty()) aboutText = label->text();
        }
        QTest::keyClick(about, Qt::Key_Return);
      });
      QTest::keyClick(menu, Qt::Key_A);  // the mnemonic chooses the item
    });
    // A right click on the dialog where no control is.
    QTest::mouseClick(shown->windowHandle(), Qt::RightButton, {}, QPoint(shown->width() - 3, shown->height() - 3));
    window.EndDialog(kIdCancel);
  });
  window.DoModal(dialog);
  EXPECT_EQ(items, (std::vector<std::string>{"-", "&About Tarvine...", "-", "Number in name order (*)",
                                             "Number in the order taken", "Number by date modified"}));
  EXPECT_EQ(aboutTitle, "About Tarvine");
  EXPECT_EQ(aboutText, "Tarvine Version 1.0");
}

}  // namespace
