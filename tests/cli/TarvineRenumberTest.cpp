// tarvine-renumber end to end: the built program run on temporary directories.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <cstring>
#include <thread>

#include "app/Settings.h"
#include "platform/os/FileServices.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ExifJpeg.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

namespace {

using Names = std::vector<std::string>;

struct Result {
  int status;
  std::string out;
  std::string err;
};

class TarvineRenumberTest : public TempDirTest {
 protected:
  // Runs the program in `cwd` (the temporary directory by default) with no
  // terminal and nothing on its standard input.
  Result Run(const Names& arguments, const std::string& cwd = "") {
    const std::string outPath = scratch_ + "/out", errPath = scratch_ + "/err";
    const int status =
        RunProgram(TARVINE_RENUMBER_BINARY, arguments, cwd.empty() ? root_.string() : cwd, outPath, errPath);
    return {status, Text(Slurp(outPath)), Text(Slurp(errPath))};
  }

  static std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // Lines as the program's text streams write them, with Windows' "\r\n"
  // read as "\n".
  static std::string Text(std::string written) {
    for (size_t at; (at = written.find("\r\n")) != std::string::npos;) written.erase(at, 1);
    return written;
  }

  void SetUp() override {
    TempDirTest::SetUp();
    scratch_ = MakeTemporaryDirectory("tarvine-scratch-").string();
    ASSERT_FALSE(scratch_.empty());
    // The program's settings are the test's own, never the user's; the
    // stand-in viewer records into the scratch directory.
    configHome_ = std::make_unique<ScopedEnvironment>("XDG_CONFIG_HOME", scratch_ + "/config");
    appData_ = std::make_unique<ScopedEnvironment>("APPDATA", scratch_ + "/config");
    record_ = std::make_unique<ScopedEnvironment>("TARVINE_ARGUMENT_RECORD", scratch_ + "/record");
  }
  void TearDown() override {
    record_.reset();
    appData_.reset();
    configHome_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(scratch_, ignored);
    TempDirTest::TearDown();
  }

  // Where the program keeps its settings in the test.
  std::string SettingsFile() const { return UserSettingsFile(); }
  void WriteSettings(const std::string& content) const {
    std::filesystem::create_directories(std::filesystem::path(SettingsFile()).parent_path());
    std::ofstream(SettingsFile(), std::ios::binary) << content;
  }

  // A viewer that writes its argument count and arguments down.
  std::string FakeViewer() { return TARVINE_RECORD_ARGUMENTS; }
  Names ViewerRecord() {
    const std::string record = scratch_ + "/record";
    for (int i = 0; i < 200 && !std::filesystem::exists(record); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    Names lines;
    std::ifstream in(record);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  std::string scratch_;
  std::unique_ptr<ScopedEnvironment> configHome_;
  std::unique_ptr<ScopedEnvironment> appData_;
  std::unique_ptr<ScopedEnvironment> record_;
};

TEST_F(TarvineRenumberTest, HelpDocumentsEveryOptionAndVersionPrintsOneLineOrTheRecord) {
  const Result help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"FILE", "--digits", "--prefix", "--suffix", "--log", "--folder-template", "--file-list",
                             "--slideshow", "--seconds", "--viewer", "--order", "--video-clock", "--shift", "--dry-run",
                             "--explain", "--undo",
                             "--quiet", "--version", "--verbose", "--help"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  const Result version = Run({"--version", "a.jpg"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "tarvine-renumber 1.0.0.1\n");
  const Result record = Run({"--version", "--verbose"});
  EXPECT_EQ(record.status, 0);
  EXPECT_EQ(record.out.substr(0, record.out.find('\n') + 1), "tarvine-renumber 1.0.0.1\n");
  EXPECT_NE(record.out.find("\nFileDescription: Tarvine MFC Application\n"), std::string::npos);
  EXPECT_NE(record.out.find("\nProductVersion: 1, 0, 0, 1\n"), std::string::npos);
}

TEST_F(TarvineRenumberTest, UsageErrorsExitWithTwoAndChangeNothing) {
  TouchAll({"a.jpg", "b.jpg"});
  struct Case {
    Names arguments;
    std::string err;  // expected at the start of stderr; empty: any
  };
  const Case cases[] = {
      {{}, "Error: FILE is required"},
      {{"--bogus", "a.jpg"}, ""},
      {{"--undo", ".", "a.jpg"}, "Error: --undo DIR takes no FILE."},
      {{"--undo", ".", "--explain", "-n"}, "Error: --explain does not go with --undo."},
      {{"-d", "12345678", "a.jpg"}, "Error: --digits takes at most 7 bytes.\n"},
      {{"--seconds", "1234567", "a.jpg"}, "Error: --seconds takes at most 6 bytes.\n"},
      {{std::string(301, 'p') + ".jpg"}, "Error: FILE takes at most 300 bytes.\n"},
      {{"-s", std::string(200, 's'), "a.jpg"}, "Error: --suffix: The suffix is too long: at most 199 bytes.\n"},
      {{"-p", "../up/", "a.jpg"}, "Error: --prefix: The prefix may not contain /.\n"},
      {{"--viewer", std::string(201, 'v'), "a.jpg"}, "Error: The viewer path is too long: at most 200 bytes."},
      {{"--verbose", "a.jpg"}, "Error: --verbose requires --version"},
      {{"--order", "date", "a.jpg"}, "Error: --order: date not in {name,taken,modified}"},
      {{"--explain", "a.jpg"}, "Error: --explain requires --dry-run"},
      {{"-d", "abc", "a.jpg"}, "Error: --digits takes a number of digits from 0 to 255 (0 or empty: no padding).\n"},
      {{"-d", "-1", "a.jpg"}, "Error: --digits takes a number of digits from 0 to 255"},
      {{"-d", "0x3", "a.jpg"}, "Error: --digits takes a number of digits from 0 to 255"},
      {{"-d", "3x", "a.jpg"}, "Error: --digits takes a number of digits from 0 to 255"},
      {{"-d", "1234567", "a.jpg"}, "Error: --digits takes a number of digits from 0 to 255"},
      {{"--seconds", "abc", "a.jpg"}, "Error: --seconds takes a whole number of seconds from 0 to 999999.\n"},
      {{"--video-clock", "gmt", "a.jpg"}, "Error: --video-clock: gmt not in {utc,local}"},
      {{"--shift", "EOS R5", "a.jpg"}, "Error: --shift: EOS R5 is not MODEL=OFFSET"},
      {{"--shift", "EOS R5=1 h", "a.jpg"}, "Error: --shift: EOS R5=1 h is not MODEL=OFFSET"},
  };
  for (const Case& c : cases) {
    const Result result = Run(c.arguments);
    EXPECT_EQ(result.status, 2) << result.err;
    EXPECT_EQ(result.err.substr(0, c.err.size()), c.err);
    const std::string hint = "\nRun with --help for more information.\n";
    EXPECT_TRUE(result.err.rfind("Error: ", 0) == 0 && result.err.size() > hint.size() &&
                result.err.compare(result.err.size() - hint.size(), hint.size(), hint) == 0)
        << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(Entries(), (Names{"a.jpg", "b.jpg"}));
  }
}

TEST_F(TarvineRenumberTest, FailuresExitWithOneAndSayWhy) {
  TouchAll({"a.jpg", "b.jpg", "README"});
  struct Case {
    Names arguments;
    std::string err;
    Names after;
  };
  const Case cases[] = {
      {{"missing.jpg"}, "Error: File does not exist.\nmissing.jpg: No such file or directory\n", {"README", "a.jpg", "b.jpg"}},
      {{"README"}, "Error: File name must have an extension.\nREADME has none: name a file such as holiday.jpg.\n", {"README", "a.jpg", "b.jpg"}},
      {{"--slideshow", "--viewer", "tarvine-no-such-viewer", "a.jpg"},
       "Error: Could not start the viewer tarvine-no-such-viewer: No such file or directory\n",
       {"00001.jpg", "00002.jpg", "KavoViewer.html", "README"}},
  };
  for (const Case& c : cases) {
    const Result result = Run(c.arguments);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.substr(0, c.err.size()), c.err);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(Entries(), c.after);
  }
}

TEST_F(TarvineRenumberTest, ADirectoryAnotherProcessWorksOnIsLeftAlone) {
  TouchAll({"a.jpg", "01.jpg", "renum.log"});
  std::unique_ptr<RunDirectory> held;  // as another run holds it
  ASSERT_EQ(SystemFileServices().OpenRunDirectory(Dir().c_str(), held), 0);
  for (const Names& arguments : {Names{"--log", "a.jpg"}, Names{"--undo", "."}}) {
    const Result result = Run(arguments);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Error: Another run is renumbering this directory.\n");
    EXPECT_EQ(Entries(), (Names{"01.jpg", "a.jpg", "renum.log"}));
    EXPECT_EQ(Read("renum.log"), "content of renum.log");
  }
}

TEST_F(TarvineRenumberTest, ANumberedDirectoryIsNumberedAgainAndCanBeTakenBack) {
  TouchAll({"01.jpg", "02.jpg", "03.jpg", "x.jpg", "y.jpg"});
  const Result run = Run({"-d", "2", "--log", "x.jpg"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Directory renumbered.\n");
  EXPECT_EQ(run.err, "") << "no progress without a terminal";
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "03.jpg", "04.jpg", "05.jpg", "renum.ids", "renum.log"}));
  EXPECT_EQ(Read("04.jpg"), "content of x.jpg");
  // Run again: one outcome, nothing renamed.
  const Result again = Run({"-d", "2", "01.jpg"});
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out, "Nothing to rename: the directory is already numbered.\n");

  const Result undo = Run({"--undo", "."});
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(undo.out, "Reversed 2 renames.\n");
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "03.jpg", "renum.ids", "renum.log", "x.jpg", "y.jpg"}));
  for (const char* name : {"01.jpg", "02.jpg", "03.jpg", "x.jpg", "y.jpg"}) {
    EXPECT_EQ(Read(name), std::string("content of ") + name);
  }

  const Result undoAgain = Run({"--undo", root_.string()});
  EXPECT_EQ(undoAgain.status, 0);
  EXPECT_EQ(undoAgain.out, "Every rename in renum.log is already reversed.\n");
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "03.jpg", "renum.ids", "renum.log", "x.jpg", "y.jpg"}));
}

// The README's walk-through: a run with the log, a new picture, a run
// without --log. The second run adds to the log, so undo walks back through
// both runs to the names before the first.
TEST_F(TarvineRenumberTest, ALaterRunWithoutTheLogAddsToItAndUndoWalksBackThroughBoth) {
  TouchAll({"a.jpg", "b.jpg", "c.jpg"});
  ASSERT_EQ(Run({"-d", "2", "--log", "a.jpg"}).status, 0);
  Touch("00_new.jpg", "content of 00_new.jpg");
  ASSERT_EQ(Run({"-d", "2", "01.jpg"}).status, 0);
  EXPECT_EQ(Read("01.jpg"), "content of 00_new.jpg");
  EXPECT_EQ(Read("02.jpg"), "content of a.jpg");

  const Result preview = Run({"--undo", ".", "--dry-run"});
  EXPECT_EQ(preview.status, 0) << preview.err;
  std::string expected;
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"01", "00_new"}, {"02", "01"}, {"03", "02"}, {"04", "03"}, {"03", "c"}, {"02", "b"}, {"01", "a"}}) {
    const std::string here = std::string(".") + PreferredSeparator();
    expected += here + from + ".jpg\t\t-> " + here + to + ".jpg\n";
  }
  EXPECT_EQ(preview.out, expected + "Dry run: 7 renames would be reversed; nothing was changed.\n");
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "03.jpg", "04.jpg", "renum.ids", "renum.log"}));

  const Result undo = Run({"--undo", "."});
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(undo.out, "Reversed 7 renames.\n");
  for (const char* name : {"00_new.jpg", "a.jpg", "b.jpg", "c.jpg"}) {
    EXPECT_EQ(Read(name), std::string("content of ") + name) << "every picture has its own name back";
  }
}

// Files another program renamed after the run (or a log left from before
// them) are refused before anything is renamed, naming the first mismatch.
TEST_F(TarvineRenumberTest, UndoRefusesWhereTheFileUnderALoggedNameIsAnotherOne) {
  TouchAll({"a.jpg", "b.jpg", "c.jpg"});
  ASSERT_EQ(Run({"-d", "2", "--log", "a.jpg"}).status, 0);
  // Another program swaps two of the pictures' names.
  std::filesystem::rename(PathOf("01.jpg"), PathOf("swap"));
  std::filesystem::rename(PathOf("02.jpg"), PathOf("01.jpg"));
  std::filesystem::rename(PathOf("swap"), PathOf("02.jpg"));

  for (const Names& arguments : {Names{"--undo", ".", "--dry-run"}, Names{"--undo", "."}}) {
    const Result undo = Run(arguments);
    EXPECT_EQ(undo.status, 1);
    EXPECT_EQ(undo.err, "Error: b.jpg is not the file renum.log renamed to 02.jpg; nothing was changed.\n");
    EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "03.jpg", "renum.ids", "renum.log"}));
    EXPECT_EQ(Read("01.jpg"), "content of b.jpg");
  }
}

// A run that finds nothing to rename leaves the log as it was, so the run
// before it can still be taken back.
TEST_F(TarvineRenumberTest, ARunThatRenamesNothingLeavesTheLogForTheRunBefore) {
  TouchAll({"a.jpg", "b.jpg"});
  ASSERT_EQ(Run({"-d", "2", "--log", "a.jpg"}).status, 0);
  const std::string log = Read("renum.log"), ids = Read("renum.ids");
  const Result again = Run({"-d", "2", "--log", "01.jpg"});
  EXPECT_EQ(again.out, "Nothing to rename: the directory is already numbered.\n");
  EXPECT_EQ(Read("renum.log"), log);
  EXPECT_EQ(Read("renum.ids"), ids);

  const Result undo = Run({"--undo", "."});
  EXPECT_EQ(undo.out, "Reversed 2 renames.\n");
  EXPECT_EQ(Entries(), (Names{"a.jpg", "b.jpg", "renum.ids", "renum.log"}));
}

// A run stopped after it wrote a batch's lines ahead, before their renames:
// the next run drops those lines before it adds its own, so one undo walks
// back through both runs.
TEST_F(TarvineRenumberTest, LinesOfRenamesAStoppedRunNeverMadeAreDroppedBeforeTheNextRunAdds) {
  TouchAll({"a.jpg", "b.jpg", "x.jpg"});
  ASSERT_EQ(Run({"-d", "2", "--log", "a.jpg"}).status, 0);
  Touch("y.jpg", "content of y.jpg");
  // As a stopped run would have left them: lines written, renames not made.
  Touch("renum.log", Read("renum.log") + "./y.jpg\t\t-> ./04.jpg\n");
  Touch("renum.ids", Read("renum.ids") + "-\n");
  ASSERT_EQ(Run({"-d", "2", "-p", "p", "y.jpg"}).status, 0);

  const Result undo = Run({"--undo", "."});
  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_EQ(Entries(), (Names{"a.jpg", "b.jpg", "renum.ids", "renum.log", "x.jpg", "y.jpg"}));
  for (const char* name : {"a.jpg", "b.jpg", "x.jpg", "y.jpg"}) EXPECT_EQ(Read(name), std::string("content of ") + name);

  // A log no undo could read records nothing to keep: a run starts it afresh.
  Touch("renum.log", "not a rename\n");
  ASSERT_EQ(Run({"-d", "2", "a.jpg"}).status, 0);
  EXPECT_EQ(Read("renum.log").rfind("a.jpg\t\t-> 01.jpg\n", 0), 0u) << Read("renum.log");
  EXPECT_EQ(Run({"--undo", "."}).status, 0);
}

// A log that lost its lines (the state a power cut left before the log was
// written ahead) is no proof that nothing is left to take back: undo says
// what it finds and fails, and guesses no name.
TEST_F(TarvineRenumberTest, UndoOfALogThatLostItsLinesSaysSoInsteadOfSuccess) {
  TouchAll({"a.jpg", "b.jpg", "c.jpg", "01.jpg"});
  ASSERT_EQ(Run({"-d", "2", "--log", "a.jpg"}).status, 0);
  const std::string ids = Read("renum.ids");
  Touch("renum.log", "");
  Touch("renum.ids", ids.substr(0, ids.find('\n') + 1));

  const Result undo = Run({"--undo", "."});
  EXPECT_EQ(undo.status, 1);
  EXPECT_EQ(undo.err,
            "Error: renum.log covers none of the 3 renames its directory shows; the original names cannot be "
            "recovered from it.\n");
  EXPECT_EQ(Entries(), (Names{"01.jpg", "02.jpg", "03.jpg", "04.jpg", "renum.ids", "renum.log"}));
}

TEST_F(TarvineRenumberTest, ADryRunPrintsWhatTheLogWouldHoldAndChangesNothing) {
  const std::vector<Names> directories = {
      {"c.jpg", "a.jpg", "IMG_10.jpg", "IMG_2.jpg"},     // fresh
      {"01.jpg", "02.jpg", "x.jpg"},                     // numbered before: two passes
      {"a.jpg", "02.jpg", "b.jpg", "04.jpg", "z.JPG"},   // taken numbers in the way
  };
  for (const Names& files : directories) {
    TearDown();
    SetUp();
    TouchAll(files);
    const Names before = Entries();
    const Result dry = Run({"-n", "-d", "2", "-p", "p", "--log", files[0]});
    EXPECT_EQ(dry.status, 0);
    EXPECT_EQ(Entries(), before) << "a dry run changes nothing";

    const Result real = Run({"-d", "2", "-p", "p", "--log", files[0]});
    EXPECT_EQ(real.status, 0);
    const std::string log = Text(Read("renum.log"));
    const size_t lines = static_cast<size_t>(std::count(log.begin(), log.end(), '\n'));
    EXPECT_EQ(dry.out, log + "Dry run: " + std::to_string(lines) + " renames would be made; nothing was changed.\n" +
                           std::to_string(lines) + " pictures and 0 companions would be renamed\n");
    EXPECT_EQ(real.out, "Directory renumbered.\n");
  }
}

// Pictures of two cameras merged into one folder are numbered in shooting
// order; the dry run says what each was ordered by.
TEST_F(TarvineRenumberTest, TwoCamerasAreNumberedInShootingOrderAndADryRunExplainsIt) {
  if (RunningUnderWine()) GTEST_SKIP() << kNoCaptureTimesUnderWine;
  Touch("DSC_0007.jpg", ExifJpeg({.original = "2023:07:14 10:00:02"}));
  Touch("IMG_1001.jpg", ExifJpeg({.original = "2023:07:14 10:00:01", .originalSubSeconds = "5"}) + "2");
  Touch("IMG_1002.jpg", ExifJpeg({.original = "2023:07:14 10:00:03"}) + "3");
  const Result dry = Run({"-n", "--explain", "--order", "taken", "-d", "1", "IMG_1001.jpg"});
  EXPECT_EQ(dry.status, 0);
  EXPECT_EQ(dry.out, "2023-07-14 10:00:01.500 taken (Exif DateTimeOriginal)\tIMG_1001.jpg\t\t-> 1.jpg\n"
                     "2023-07-14 10:00:02.000 taken (Exif DateTimeOriginal)\tDSC_0007.jpg\t\t-> 2.jpg\n"
                     "2023-07-14 10:00:03.000 taken (Exif DateTimeOriginal)\tIMG_1002.jpg\t\t-> 3.jpg\n"
                     "Dry run: 3 renames would be made; nothing was changed.\n"
                     "3 pictures and 0 companions would be renamed\n");
  EXPECT_EQ(Run({"--order", "taken", "-d", "1", "IMG_1001.jpg"}).status, 0);
  EXPECT_EQ(Read("2.jpg"), ExifJpeg({.original = "2023:07:14 10:00:02"}));
}

TEST_F(TarvineRenumberTest, PicturePagesAndTheViewerFollowTheExtension) {
  struct Case {
    const char* file;
    Names pages;
    bool launched;
    std::string out;
  };
  const std::string longText =
      "Directory renumbered.  To use the viewer, you must customize the folder now.  Go into explorer, click on "
      "the directory that has been renumbered, then click on 'View', then 'Customize this folder'.  Follow the "
      "defaults and close the folder.htt file when it appears.\n";
  const Case cases[] = {
      {"a.png", {}, false, longText},
      {"a.JPEG", {"Folder.htt", "KavoViewer.html"}, true, ""},
      {"a.Gif", {"Folder.htt", "KavoViewer.html"}, true, ""},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    MakeDir("my photos");
    Touch(std::string("my photos/") + c.file);
    const Result result =
        Run({"--folder-template", "--slideshow", "--viewer", FakeViewer(), std::string("my photos/") + c.file});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, c.out);
    Names expected = c.pages;
    expected.insert(expected.begin(), std::string("00001") + std::strchr(c.file, '.'));
    std::sort(expected.begin(), expected.end());
    Names inPhotos;
    for (const auto& entry : std::filesystem::directory_iterator(PathOf("my photos"))) {
      inPhotos.push_back(entry.path().filename().string());
    }
    std::sort(inPhotos.begin(), inPhotos.end());
    EXPECT_EQ(inPhotos, expected) << c.file;
    if (c.launched) {
      EXPECT_EQ(ViewerRecord(), (Names{"1", "my photos/KavoViewer.html"}));
    }
  }
}

TEST_F(TarvineRenumberTest, TheSavedViewerPathIsTheDefault) {
  Touch("a.jpg");
  WriteSettings(FakeViewer() + "\n/home/\n");
  const Result result = Run({"--slideshow", PathOf("a.jpg")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ViewerRecord(), (Names{"1", PathOf("KavoViewer.html")}));
  EXPECT_EQ(Slurp(SettingsFile()), FakeViewer() + "\n/home/\n") << "never written";
}

TEST_F(TarvineRenumberTest, ASettingsFileInTheWorkingDirectoryIsNotObeyed) {
  // Unpacked from someone else's archive: settings naming a program of it
  // (that cannot start: obeyed, the run would fail).
  Touch("a.jpg");
  Touch("Tarvine.ini", PathOf("planted-helper") + "\n/\n");
  WriteSettings(FakeViewer() + "\n/home/\n");
  const Result result = Run({"--slideshow", "a.jpg"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_FALSE(ViewerRecord().empty()) << "the user's own viewer opens the page";
}

}  // namespace
