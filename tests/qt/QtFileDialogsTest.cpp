// The file dialog, answered as a user would answer it.
#include <QAbstractProxyModel>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <set>

#include "fsystem/PickFile.h"
#include "platform/dialog/DialogWindow.h"
#include "platform/dialog/qt/QtFileDialogs.h"
#include "tests/qt/QtTestSupport.h"

namespace {

constexpr char kPictureFilter[] = "JPEG Files (*.jpg)|*.jpg|GIF Files (*.gif)|*.gif|All Files (*.*)|*.*||";

// Types a name into the dialog's file name field and presses Open (or Save)
// once the dialog has found the file.
void ChooseName(QFileDialog* dialog, const QString& name) {
  auto* field = dialog->findChild<QLineEdit*>("fileNameEdit");
  auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
  ASSERT_TRUE(field && buttons);
  QPushButton* confirm = buttons->button(dialog->acceptMode() == QFileDialog::AcceptOpen ? QDialogButtonBox::Open
                                                                                         : QDialogButtonBox::Save);
  ASSERT_NE(confirm, nullptr);
  field->setText(name);
  ASSERT_TRUE(QTest::qWaitFor([&] { return confirm->isEnabled(); }));
  confirm->click();
}

class QtFileDialogsTest : public QtWindowTest {
 protected:
  void SetUp() override {
    QtWindowTest::SetUp();
    ASSERT_TRUE(directory_.isValid());
    for (const char* name : {"a.jpg", "b.gif", "notes.txt", "run.sh", "tool"}) {
      QFile file(directory_.filePath(name));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const auto runnable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    QFile::setPermissions(directory_.filePath("run.sh"), runnable);
    QFile::setPermissions(directory_.filePath("tool"), runnable);
    ASSERT_TRUE(QDir(directory_.path()).mkdir("folder"));
  }

  std::string Path(const char* name) const { return directory_.filePath(name).toStdString(); }
  std::string Directory() const { return directory_.path().toStdString() + "/"; }

  // The names the dialog lists in its directory: `expected` as soon as it
  // does, else what it lists after a while. The directory is read in the
  // background.
  static std::set<QString> Listing(QFileDialog* dialog, const std::set<QString>& expected) {
    const QAbstractItemModel* shown = dialog->proxyModel();
    auto* files = dialog->findChild<QFileSystemModel*>();
    if (!shown) shown = files;
    const auto names = [&] {
      QModelIndex parent = files->index(dialog->directory().absolutePath());
      if (dialog->proxyModel()) parent = dialog->proxyModel()->mapFromSource(parent);
      std::set<QString> listed;
      for (int row = 0; row < shown->rowCount(parent); ++row)
        listed.insert(shown->index(row, 0, parent).data().toString());
      return listed;
    };
    (void)QTest::qWaitFor([&] { return names() == expected; });
    return names();
  }

  QTemporaryDir directory_;
};

TEST_F(QtFileDialogsTest, OpensInTheDirectoryWithTheFiltersChoicesAndGivesTheChosenPath) {
  QtFileDialogs dialogs;
  const std::string directory = Directory();
  const FileDialogRequest request{true, nullptr, nullptr, 6, kPictureFilter, directory.c_str()};
  WhenShown<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->nameFilters(), (QStringList{"JPEG Files (*.jpg)", "GIF Files (*.gif)", "All Files (*)"}));
    EXPECT_EQ(dialog->selectedNameFilter(), "JPEG Files (*.jpg)");
    EXPECT_EQ(dialog->directory().absolutePath(), directory_.path());
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    const std::set<QString> pictures{"a.jpg", "folder"};
    EXPECT_EQ(Listing(dialog, pictures), pictures);
    ChooseName(dialog, "a.jpg");
  });
  std::string chosen;
  EXPECT_TRUE(dialogs.Choose(request, chosen));
  EXPECT_EQ(chosen, Path("a.jpg"));
}

TEST_F(QtFileDialogsTest, ThePickFileOfTheProgramChoosesThroughIt) {
  QtFileDialogs dialogs;
  ScopedFileDialogs inForce(dialogs);
  const std::string directory = Directory();
  WhenShown<QFileDialog>([&](QFileDialog* dialog) {
    // The user takes "All Files" and a text file.
    QTest::keyClick(dialog->findChild<QComboBox*>("fileTypeCombo"), Qt::Key_End);
    EXPECT_EQ(dialog->selectedNameFilter(), "All Files (*)");
    const std::set<QString> everything{"a.jpg", "b.gif", "folder", "notes.txt", "run.sh", "tool"};
    EXPECT_EQ(Listing(dialog, everything), everything);
    ChooseName(dialog, "notes.txt");
  });
  PickFile pick(true, nullptr, nullptr, 6, kPictureFilter, nullptr, directory.c_str());
  EXPECT_EQ(pick.DoModal(), kIdOk);
  EXPECT_EQ(pick.GetPathName(), Path("notes.txt"));
}

TEST_F(QtFileDialogsTest, CancelChoosesNothing) {
  QtFileDialogs dialogs;
  const std::string directory = Directory();
  const FileDialogRequest request{true, nullptr, nullptr, 6, kPictureFilter, directory.c_str()};
  WhenShown<QFileDialog>([](QFileDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
  std::string chosen = "unchanged";
  EXPECT_FALSE(dialogs.Choose(request, chosen));
  EXPECT_EQ(chosen, "unchanged");
}

TEST_F(QtFileDialogsTest, ProgramsAreTheFilesTheUserMayRunWhateverTheirNames) {
  QtFileDialogs dialogs;
  const std::string directory = Directory();
  const FileDialogRequest request{
      true, nullptr, nullptr, 6, "EXE Files (*.exe)|*.exe|All Files (*.*)|*.*||", directory.c_str()};
  WhenShown<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->nameFilters(), (QStringList{"EXE Files (*)", "All Files (*)"}));
    const std::set<QString> programs{"folder", "run.sh", "tool"};
    EXPECT_EQ(Listing(dialog, programs), programs);
    QTest::keyClick(dialog->findChild<QComboBox*>("fileTypeCombo"), Qt::Key_Down);
    const std::set<QString> everything{"a.jpg", "b.gif", "folder", "notes.txt", "run.sh", "tool"};
    EXPECT_EQ(Listing(dialog, everything), everything);
    ChooseName(dialog, "tool");
  });
  std::string chosen;
  EXPECT_TRUE(dialogs.Choose(request, chosen));
  EXPECT_EQ(chosen, Path("tool"));
}

TEST_F(QtFileDialogsTest, AMissingInitialDirectoryOpensTheCurrentOne) {
  QtFileDialogs dialogs;
  const FileDialogRequest request{true, nullptr, nullptr, 6, kPictureFilter, "/no/such/directory/"};
  QString opened;
  WhenShown<QFileDialog>([&](QFileDialog* dialog) {
    opened = dialog->directory().absolutePath();
    dialog->reject();
  });
  std::string chosen;
  EXPECT_FALSE(dialogs.Choose(request, chosen));
  EXPECT_EQ(opened, QDir::currentPath());
}

TEST_F(QtFileDialogsTest, ASaveDialogAsksBeforeReplacingOnlyWhenTold) {
  QtFileDialogs dialogs;
  const std::string directory = Directory();
  for (const uint32_t flags : {FileDialogFlag::kOverwritePrompt, 0u}) {
    const FileDialogRequest request{false, "txt", "new", flags, "Text|*.txt||", directory.c_str()};
    WhenShown<QFileDialog>([&](QFileDialog* dialog) {
      EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
      EXPECT_EQ(dialog->testOption(QFileDialog::DontConfirmOverwrite), flags == 0);
      EXPECT_EQ(dialog->defaultSuffix(), "txt");
      ChooseName(dialog, "new");
    });
    std::string chosen;
    EXPECT_TRUE(dialogs.Choose(request, chosen));
    EXPECT_EQ(chosen, Path("new.txt"));
  }
}

}  // namespace
