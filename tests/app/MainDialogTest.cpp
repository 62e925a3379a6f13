#include "app/MainDialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <memory>
#include <optional>

#include "app/DialogTemplates.h"
#include "app/Settings.h"
#include "platform/dialog/FileDialogService.h"
#include "platform/os/ProgramLauncher.h"
#include "platform/os/UserDirectories.h"
#include "tests/support/HeadlessDialogWindow.h"
#include "renumber/ControlIds.h"
#include "tests/support/FaultyFileServices.h"
#include "tests/support/HeadlessDialogFactory.h"
#include "tests/support/RecordingLauncher.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

// A file dialog answered as a user would: each showing takes the next answer
// (a path, or nothing for Cancel).
class AnsweredFileDialogs : public FileDialogService {
 public:
  bool Choose(const FileDialogRequest& request, std::string& chosenPath) override {
    requests.push_back({request.filter, request.initialDirectory, request.flags, request.openDialog});
    std::optional<std::string> answer = answers.empty() ? std::nullopt : answers.front();
    if (!answers.empty()) answers.pop_front();
    if (!answer) return false;
    chosenPath = *answer;
    return true;
  }
  struct Request {
    std::string filter;
    std::string initialDirectory;
    uint32_t flags;
    bool openDialog;
  };
  std::deque<std::optional<std::string>> answers;
  std::vector<Request> requests;
};

class MainDialogTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    home_ = std::make_unique<ScopedEnvironment>("HOME", root_.string());
    configHome_ = std::make_unique<ScopedEnvironment>("XDG_CONFIG_HOME", PathOf("config"));
    appData_ = std::make_unique<ScopedEnvironment>("APPDATA", PathOf("config"));
    kSettingsFile = UserSettingsFile().substr(Dir().size());
    window.DoModal(dialog);  // headless: initialises and returns
  }
  void TearDown() override {
    appData_.reset();
    configHome_.reset();
    home_.reset();
    TempDirTest::TearDown();
  }

  // The settings file below config/ (XDG_CONFIG_HOME, or APPDATA on Windows).
  std::string kSettingsFile;
  std::unique_ptr<ScopedEnvironment> appData_;
  std::unique_ptr<ScopedEnvironment> home_;
  std::unique_ptr<ScopedEnvironment> configHome_;
  HeadlessDialogWindow window;
  HeadlessDialogFactory dialogs;
  RecordingLauncher launcher;
  MainDialog dialog{window, dialogs, launcher};
  AnsweredFileDialogs fileDialogs;
  ScopedFileDialogs fileDialogsInForce{fileDialogs};
};

TEST_F(MainDialogTest, AFreshStartShowsTheInitialValues) {
  EXPECT_EQ(window.ItemText(kPathField), "");
  EXPECT_EQ(window.ItemText(kPrefixField), "");
  EXPECT_EQ(window.ItemText(kDigitsField), "5");
  EXPECT_EQ(window.ItemText(kSuffixField), "");
  EXPECT_EQ(window.ItemText(kSecondsField), "4");
  EXPECT_EQ(window.ItemText(kStatusLine), "Ready");
  EXPECT_EQ(window.ItemText(kCountLine), "");
  EXPECT_EQ(window.IsDlgButtonChecked(kKeepLogBox), 1) << "a new user keeps a log";
  EXPECT_EQ(window.IsDlgButtonChecked(kApplyViewerBox), 0);
  EXPECT_EQ(window.IsDlgButtonChecked(kFileListBox), 0);
  EXPECT_EQ(window.IsDlgButtonChecked(kViewAfterRunBox), 1);
  EXPECT_EQ(window.TextLimit(kDigitsField), 7);
  EXPECT_EQ(window.TextLimit(kPathField), 300);
  EXPECT_EQ(window.TextLimit(kSecondsField), 6);
  EXPECT_EQ(window.TextLimit(kPrefixField), 0);
  EXPECT_EQ(window.Focus(), kPathField);
  const std::vector<std::pair<int, std::string>> menu{{0, ""},
                                                      {32, "Number in name order"},
                                                      {48, "Number in the order taken"},
                                                      {64, "Number by date modified"},
                                                      {0, ""},
                                                      {kCompanionsCommand, "Rename companions with their picture"},
                                                      {kAllKindsCommand, "Number every photo and video kind together"},
                                                      {0, ""},
                                                      {kPreviewCommand, "Preview the renames..."},
                                                      {kUndoCommand, "Undo the last run..."},
                                                      {kCameraClocksCommand, "Camera clocks..."},
                                                      {0, ""},
                                                      {16, "&About Tarvine..."}};
  EXPECT_EQ(window.SystemMenu(), menu);
  EXPECT_TRUE(window.IsMenuItemChecked(kNameOrderCommand));
  EXPECT_TRUE(window.AcceptsFiles());
  EXPECT_STREQ(dialog.settings.viewerPath, kDefaultViewer);
  EXPECT_EQ(std::string(dialog.settings.lastDirectory), DefaultBrowseDirectory());
}

TEST_F(MainDialogTest, BrowsePutsTheChoiceInThePathFieldAndRemembersItsDirectory) {
  fileDialogs.answers = {"/pics/summer/a.jpg", std::nullopt};
  dialog.OnCommand(kBrowseButton);
  EXPECT_EQ(window.ItemText(kPathField), "/pics/summer/a.jpg");
  EXPECT_EQ(dialog.options.pathText, "") << "the field takes it at the next exchange";
  EXPECT_STREQ(dialog.settings.lastDirectory, "/pics/summer/");
  EXPECT_EQ(Read(kSettingsFile), std::string(kDefaultViewer) + "\n/pics/summer/\nname\n1\n1\n0\n");

  dialog.OnCommand(kBrowseButton);  // cancelled: nothing changes
  EXPECT_EQ(window.ItemText(kPathField), "/pics/summer/a.jpg");
  EXPECT_EQ(Read(kSettingsFile), std::string(kDefaultViewer) + "\n/pics/summer/\nname\n1\n1\n0\n");

  ASSERT_EQ(fileDialogs.requests.size(), 2u);
  EXPECT_EQ(fileDialogs.requests[0].filter, "JPEG Files (*.jpg)|*.jpg|GIF Files (*.gif)|*.gif|All Files (*.*)|*.*||");
  EXPECT_EQ(fileDialogs.requests[0].initialDirectory, DefaultBrowseDirectory());
  EXPECT_EQ(fileDialogs.requests[0].flags, 6u);
  EXPECT_TRUE(fileDialogs.requests[0].openDialog);
  EXPECT_EQ(fileDialogs.requests[1].initialDirectory, "/pics/summer/");
}

TEST_F(MainDialogTest, ChooseViewerSetsTheViewerAndSavesIt) {
  fileDialogs.answers = {"/usr/bin/eog"};
  dialog.OnCommand(kChooseViewerButton);
  EXPECT_STREQ(dialog.settings.viewerPath, "/usr/bin/eog");
  EXPECT_EQ(Read(kSettingsFile), "/usr/bin/eog\n" + DefaultBrowseDirectory() + "\nname\n1\n1\n0\n");
  ASSERT_EQ(fileDialogs.requests.size(), 1u);
  EXPECT_EQ(fileDialogs.requests[0].filter, "EXE Files (*.exe)|*.exe||");
  EXPECT_EQ(fileDialogs.requests[0].initialDirectory, ProgramsDirectory());
  EXPECT_EQ(window.ItemText(kPathField), "");
}

TEST_F(MainDialogTest, AFileDroppedOntoTheWindowIsTakenAsBrowseTakesOne) {
  dialog.OnDropFiles({"/pics/summer/a.jpg", "/pics/winter/b.jpg"});
  EXPECT_EQ(window.ItemText(kPathField), "/pics/summer/a.jpg");
  EXPECT_STREQ(dialog.settings.lastDirectory, "/pics/summer/");
  EXPECT_EQ(Read(kSettingsFile), std::string(kDefaultViewer) + "\n/pics/summer/\nname\n1\n1\n0\n");
  EXPECT_TRUE(fileDialogs.requests.empty());
}

TEST_F(MainDialogTest, TheFileTheProgramStartsWithIsTakenAsADroppedOne) {
  HeadlessDialogWindow started;
  MainDialog startedDialog{started, dialogs, launcher};
  startedDialog.startFile = "/pics/summer/a.jpg";
  started.DoModal(startedDialog);
  EXPECT_EQ(started.ItemText(kPathField), "/pics/summer/a.jpg");
  EXPECT_STREQ(startedDialog.settings.lastDirectory, "/pics/summer/");
  // Over the field's limit: refused with the message Browse gives, never cut.
  HeadlessDialogWindow refused;
  MainDialog refusedDialog{refused, dialogs, launcher};
  refusedDialog.startFile = "/" + std::string(300, 'p') + ".jpg";
  refused.DoModal(refusedDialog);
  EXPECT_EQ(refused.ItemText(kPathField), "");
  EXPECT_EQ(refused.MessageTexts(), Names{"The path is too long: at most 300 bytes."});
}

TEST_F(MainDialogTest, AChoiceThatCouldNotBeStoredIsRefused) {
  constexpr int kDropped = 0;  // dropped onto the window rather than chosen
  struct Case {
    int button;
    std::string path;
    const char* message;
  };
  const Case cases[] = {
      {kBrowseButton, "/" + std::string(300, 'p'), "The path is too long: at most 300 bytes."},
      {kBrowseButton, "/pics\n/a.jpg", "A path with a line break cannot be stored."},
      {kDropped, "/" + std::string(300, 'p'), "The path is too long: at most 300 bytes."},
      {kDropped, "/pics\n/a.jpg", "A path with a line break cannot be stored."},
      {kChooseViewerButton, "/" + std::string(200, 'v'), "The viewer path is too long: at most 200 bytes."},
  };
  for (const Case& c : cases) {
    fileDialogs.answers = {c.path};
    if (c.button == kDropped) {
      dialog.OnDropFiles({c.path});
    } else {
      dialog.OnCommand(c.button);
    }
    ASSERT_FALSE(window.Messages().empty());
    EXPECT_EQ(window.Messages().back().text, c.message);
  }
  EXPECT_EQ(window.ItemText(kPathField), "");
  EXPECT_STREQ(dialog.settings.viewerPath, kDefaultViewer);
  EXPECT_TRUE(Entries().empty()) << "nothing saved";
}

TEST_F(MainDialogTest, TheAboutItemOpensTheAboutBox) {
  dialog.OnSysCommand(kAboutCommand);
  dialog.OnSysCommand(kAboutCommand | 0x3);  // the low bits are the window system's
  dialog.OnSysCommand(0x100);
  EXPECT_EQ(dialogs.created, (std::vector<std::string>{"About Tarvine", "About Tarvine"}));
}

TEST_F(MainDialogTest, AnOrderChosenInTheMenuIsCheckedRememberedAndRunWith) {
  dialog.OnSysCommand(kTakenOrderCommand);
  EXPECT_TRUE(window.IsMenuItemChecked(kTakenOrderCommand));
  EXPECT_FALSE(window.IsMenuItemChecked(kNameOrderCommand));
  EXPECT_EQ(Read(kSettingsFile), std::string(kDefaultViewer) + "\n" + DefaultBrowseDirectory() + "\ntaken\n1\n1\n0\n");

  HeadlessDialogWindow nextStart;
  MainDialog next{nextStart, dialogs, launcher};
  nextStart.DoModal(next);
  EXPECT_TRUE(nextStart.IsMenuItemChecked(kTakenOrderCommand));
  EXPECT_FALSE(nextStart.IsMenuItemChecked(kModifiedOrderCommand));
  next.OnGoForIt();
  EXPECT_EQ(next.options.order, NumberingOrder::kTaken);

  dialog.OnSysCommand(kModifiedOrderCommand | 0x2);
  EXPECT_TRUE(window.IsMenuItemChecked(kModifiedOrderCommand));
  EXPECT_FALSE(window.IsMenuItemChecked(kTakenOrderCommand));
  EXPECT_EQ(Read(kSettingsFile), std::string(kDefaultViewer) + "\n" + DefaultBrowseDirectory() + "\nmodified\n1\n1\n0\n");
}

TEST_F(MainDialogTest, CompanionsAndAllKindsAreCheckedItemsRememberedAndRunWith) {
  EXPECT_TRUE(window.IsMenuItemChecked(kCompanionsCommand)) << "companions by default";
  EXPECT_FALSE(window.IsMenuItemChecked(kAllKindsCommand));
  EXPECT_EQ(dialog.options.companions, 1);
  EXPECT_TRUE(dialog.options.kinds.empty());
  dialog.OnSysCommand(kCompanionsCommand);
  dialog.OnSysCommand(kAllKindsCommand | 0x1);
  EXPECT_FALSE(window.IsMenuItemChecked(kCompanionsCommand));
  EXPECT_TRUE(window.IsMenuItemChecked(kAllKindsCommand));
  EXPECT_EQ(Read(kSettingsFile), std::string(kDefaultViewer) + "\n" + DefaultBrowseDirectory() + "\nname\n1\n0\n1\n");

  HeadlessDialogWindow nextStart;
  MainDialog next{nextStart, dialogs, launcher};
  nextStart.DoModal(next);
  EXPECT_FALSE(nextStart.IsMenuItemChecked(kCompanionsCommand));
  EXPECT_TRUE(nextStart.IsMenuItemChecked(kAllKindsCommand));
  EXPECT_EQ(next.options.companions, 0);
  EXPECT_EQ(next.options.kinds.size(), 22u);
  EXPECT_EQ(next.options.kinds.front(), "jpg");
}

TEST_F(MainDialogTest, ExitExchangesAndEndsEscapeEndsAtOnceNothingIsSaved) {
  window.SetDlgItemText(kDigitsField, "12345678");
  dialog.OnOK();
  EXPECT_EQ(window.Result(), 0) << "an invalid field keeps the dialog open";
  EXPECT_EQ(window.Messages().back().text, "Please enter no more than 7 characters.");
  window.SetDlgItemText(kDigitsField, "3");
  dialog.OnOK();
  EXPECT_EQ(window.Result(), kIdOk);
  EXPECT_EQ(dialog.options.digitsText, "3");

  HeadlessDialogWindow other;
  MainDialog second{other, dialogs, launcher};
  other.DoModal(second);
  other.SetDlgItemText(kDigitsField, "12345678");
  second.OnCancel();
  EXPECT_EQ(other.Result(), kIdCancel);
  EXPECT_TRUE(Entries().empty());
}

TEST_F(MainDialogTest, OneRunAtATime) {
  TouchAll({"a.jpg", "b.jpg", "c.jpg"});
  FaultyFileServices files;
  ScopedFileServices filesInForce(files);
  window.SetDlgItemText(kPathField, PathOf("a.jpg").c_str());
  window.CheckDlgButton(kViewAfterRunBox, 0);

  int pumpsDuringRun = 0;
  window.onPump = [&] {
    if (!dialog.RunInProgress()) return;
    ++pumpsDuringRun;
    for (int id : {kGoButton, kBrowseButton, kChooseViewerButton, kIdOk}) EXPECT_FALSE(window.IsEnabled(id)) << id;
    // Clicks delivered while the run works do nothing.
    const int renames = files.renameCalls;
    dialog.OnCommand(kGoButton);
    dialog.OnCommand(kBrowseButton);
    dialog.OnSysCommand(kPreviewCommand);
    dialog.OnSysCommand(kUndoCommand);
    dialog.OnSysCommand(kTakenOrderCommand);
    dialog.OnSysCommand(kAboutCommand);
    dialog.OnDropFiles({PathOf("b.jpg")});
    dialog.OnOK();
    dialog.OnCancel();
    EXPECT_EQ(files.renameCalls, renames);
    EXPECT_EQ(window.Result(), 0);
    EXPECT_NE(window.ItemText(kPathField), PathOf("b.jpg")) << "a drop is no choice mid-run";
  };
  dialog.OnCommand(kGoButton);
  EXPECT_GT(pumpsDuringRun, 6);
  EXPECT_TRUE(fileDialogs.requests.empty());
  EXPECT_TRUE(dialogs.created.empty());
  EXPECT_EQ(window.ItemText(kStatusLine), "Done.");
  EXPECT_EQ(window.TextHistory(kCountLine), (Names{"", "   0", "   1", "   2", "   3 files."}));
  for (int id : {kGoButton, kBrowseButton, kChooseViewerButton, kIdOk}) EXPECT_TRUE(window.IsEnabled(id));
  EXPECT_EQ(Entries(), (Names{"00001.jpg", "00002.jpg", "00003.jpg", "renum.ids", "renum.log"}));
  EXPECT_EQ(dialog.settings.order, NumberingOrder::kName) << "no order chosen mid-run";

  // The second click of a double click, delivered once the run is over,
  // reports no error after the run that went through.
  window.onPump = nullptr;
  const size_t messages = window.Messages().size();
  dialog.OnCommand(kGoButton);
  EXPECT_EQ(window.Messages().size(), messages);
  EXPECT_EQ(window.ItemText(kStatusLine), "Done.");
  // A later click on the empty field asks for a file and leaves the status
  // line with the outcome of the run it reports.
  dialog.secondClickTime = std::chrono::milliseconds(0);
  dialog.OnCommand(kGoButton);
  ASSERT_EQ(window.Messages().size(), messages + 1);
  EXPECT_EQ(window.Messages().back().text, "Name one file of the kind to renumber.");
  EXPECT_EQ(window.ItemText(kStatusLine), "Done.");
}

TEST_F(MainDialogTest, KeepALogAsARunOrExitLeftItIsTheNextSessionsStart) {
  TouchAll({"a.jpg", "b.jpg"});
  window.SetDlgItemText(kPathField, PathOf("a.jpg").c_str());
  window.CheckDlgButton(kKeepLogBox, 0);
  dialog.OnCommand(kGoButton);
  EXPECT_EQ(Entries(), (Names{"00001.jpg", "00002.jpg", "KavoViewer.html", "config"})) << "no log asked for";

  HeadlessDialogWindow nextWindow;
  MainDialog next{nextWindow, dialogs, launcher};
  nextWindow.DoModal(next);
  EXPECT_EQ(nextWindow.IsDlgButtonChecked(kKeepLogBox), 0);
  nextWindow.CheckDlgButton(kKeepLogBox, 1);
  next.OnOK();

  HeadlessDialogWindow thirdWindow;
  MainDialog third{thirdWindow, dialogs, launcher};
  thirdWindow.DoModal(third);
  EXPECT_EQ(thirdWindow.IsDlgButtonChecked(kKeepLogBox), 1);
}

}  // namespace
