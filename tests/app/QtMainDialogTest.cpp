// The main dialog with real widgets, on Qt's offscreen platform.

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
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
  // Chooses the item of a shown menu with the keyboard: Down until it is
  // the active one, then Enter.
  static void ChooseWithKeys(QMenu* menu, const QString& item) {
    for (int presses = 0; presses < 10 && (!menu->activeAction() || menu->activeAction()->text() != item); ++presses) {
      QTest::keyClick(menu, Qt::Key_Down);
    }
    QTest::keyClick(menu, Qt::Key_Return);
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root_)) {
      if (entry.path().filename() != "config") names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
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
    EXPECT_TRUE(qobject_cast<QCheckBox*>(window.Control(kKeepLogBox))->isChecked()) << "a new user keeps a log";

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
    // The second click of a double click, delivered once the run is over,
    // starts nothing: no message about the emptied path field, no "Error.".
    QTest::mouseClick(window.Control(kGoButton), Qt::LeftButton);
    EXPECT_EQ(Text(kStatusLine), "Done.");
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
  EXPECT_EQ(items, (std::vector<std::string>{"-", "Number in name order (*)", "Number in the order taken",
                                             "Number by date modified", "-",
                                             "Rename companions with their picture (*)",
                                             "Number every photo and video kind together", "-",
                                             "Preview the renames...", "Undo the last run...", "Camera clocks...", "-",
                                             "&About Tarvine..."}));
  EXPECT_EQ(aboutTitle, "About Tarvine");
  EXPECT_EQ(aboutText, "Tarvine Version 1.0");
}

TEST_F(QtMainDialogTest, TheKeyboardAloneReachesEveryControlInTemplateOrderAndTheMenuThePreviewAndBack) {
  for (const char* name : {"b.jpg", "a.jpg"}) std::ofstream(root_ / name) << name;
  std::vector<QWidget*> tabStops;
  for (const ControlTemplate& control : MainDialogTemplate().controls) {
    if (control.style & ControlStyle::kTabStop) tabStops.push_back(window.Control(control.id));
  }
  std::vector<QWidget*> visited;
  std::vector<std::string> menusChosen;
  std::vector<std::string> previewed;
  WhenShown<QDialog>([&](QDialog*) {
    for (size_t i = 0; i < tabStops.size() && QApplication::focusWidget(); ++i) {
      visited.push_back(QApplication::focusWidget());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    Edit(kPathField)->setText(QString::fromStdString((root_ / "a.jpg").string()));
    Edit(kPathField)->setFocus();
    // The Menu key, then Shift+F10: each opens the window's menu, there
    // on the path field, whose own menu a right click still opens.
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}}) {
      WhenShown<QMenu>([&](QMenu* menu) {
        menusChosen.push_back(menu->parentWidget() == window.Dialog() ? "window's menu" : "another menu");
        WhenShown<QDialog>([&](QDialog* preview) {
          auto* list = preview->findChild<QListWidget*>();
          for (int row = 0; list && row < list->count(); ++row) {
            previewed.push_back(list->item(row)->text().toStdString());
          }
          EXPECT_EQ(QApplication::focusWidget(), list);
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        ChooseWithKeys(menu, "Preview the renames...");
      });
      QTest::keyClick(Edit(kPathField), key, modifiers);
    }
    QTest::keyClick(Edit(kPathField), Qt::Key_Escape);
  });
  EXPECT_EQ(window.DoModal(dialog), kIdCancel);
  EXPECT_EQ(visited, tabStops);
  EXPECT_EQ(menusChosen, (std::vector<std::string>{"window's menu", "window's menu"}));
  const std::vector<std::string> lines{"a.jpg\t\t-> 00001.jpg", "b.jpg\t\t-> 00002.jpg"};
  EXPECT_EQ(previewed, (std::vector<std::string>{lines[0], lines[1], lines[0], lines[1]}));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"a.jpg", "b.jpg"})) << "Escape renames nothing";
}

TEST_F(QtMainDialogTest, ThePreviewsGoForItRunsAndUndoAsksThenTakesItBack) {
  for (const char* name : {"b.jpg", "a.jpg"}) std::ofstream(root_ / name) << name;
  std::vector<std::string> messages;
  QString count, undoCount;
  const auto chooseFromMenu = [&](const QString& item) {
    WhenShown<QMenu>([item](QMenu* menu) { ChooseWithKeys(menu, item); });
    QTest::mouseClick(window.Dialog()->windowHandle(), Qt::RightButton, {},
                      QPoint(window.Dialog()->width() - 3, window.Dialog()->height() - 3));
  };
  WhenShown<QDialog>([&](QDialog*) {
    Edit(kPathField)->setText(QString::fromStdString((root_ / "a.jpg").string()));
    qobject_cast<QCheckBox*>(window.Control(kKeepLogBox))->setChecked(true);
    qobject_cast<QCheckBox*>(window.Control(kViewAfterRunBox))->setChecked(false);
    WhenShown<QDialog>([&](QDialog* preview) {
      for (QLabel* label : preview->findChildren<QLabel*>()) {
        if (label->text().contains("would be made")) count = label->text();
      }
      WhenShown<QMessageBox>([&](QMessageBox* box) {
        messages.push_back(box->text().toStdString());
        QTest::keyClick(box, Qt::Key_Return);
      });
      for (QPushButton* button : preview->findChildren<QPushButton*>()) {
        if (button->text() == "Go For It!") QTest::mouseClick(button, Qt::LeftButton);
      }
    });
    chooseFromMenu("Preview the renames...");
    EXPECT_EQ(Text(kStatusLine), "Done.");

    // The renames undo would make, listed in the preview's dialog; "Go For
    // It!" there, then the question, answered with Enter (Yes), then the
    // outcome.
    WhenShown<QDialog>([&](QDialog* listed) {
      for (QLabel* label : listed->findChildren<QLabel*>()) {
        if (label->text().contains("would be reversed")) undoCount = label->text();
      }
      WhenShown<QMessageBox>([&](QMessageBox* question) {
        messages.push_back(question->text().toStdString());
        WhenShown<QMessageBox>([&](QMessageBox* box) {
          messages.push_back(box->text().toStdString());
          QTest::keyClick(box, Qt::Key_Return);
        });
        QTest::keyClick(question, Qt::Key_Return);
      });
      for (QPushButton* button : listed->findChildren<QPushButton*>()) {
        if (button->text() == "Go For It!") QTest::mouseClick(button, Qt::LeftButton);
      }
    });
    chooseFromMenu("Undo the last run...");
    window.EndDialog(kIdCancel);
  });
  window.DoModal(dialog);
  EXPECT_EQ(count, "2 renames would be made. 2 pictures and 0 companions would be renamed.");
  EXPECT_EQ(undoCount, "2 renames would be reversed.");
  EXPECT_EQ(messages, (std::vector<std::string>{
                          "Directory renumbered.",
                          "Take back the 2 renames recorded in " + (root_ / "renum.log").string() +
                              "? Each file gets back the name it had before the run.",
                          "Reversed 2 renames."}));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"a.jpg", "b.jpg", "renum.ids", "renum.log"}));
}

TEST_F(QtMainDialogTest, AFileDroppedOntoTheWindowGoesIntoThePathField) {
  const std::string dropped = (root_ / "holiday" / "a b.jpg").string();
  WhenShown<QDialog>([&](QDialog* shown) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped)), QUrl::fromLocalFile("/elsewhere/b.jpg")});
    // Onto the Exit button, which takes no drops itself: the window does.
    QWidget* exit = window.Control(kIdOk);
    const QPoint at = exit->mapTo(shown, exit->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(shown, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(shown, &drop);
    window.EndDialog(kIdCancel);
  });
  window.DoModal(dialog);
  EXPECT_EQ(Text(kPathField).toStdString(), dropped);
  std::ifstream saved(root_ / "config" / "tarvine" / "Tarvine.ini");
  std::string viewer, lastDirectory;
  std::getline(saved, viewer);
  std::getline(saved, lastDirectory);
  EXPECT_EQ(lastDirectory, (root_ / "holiday").string() + "/");
}

}  // namespace
