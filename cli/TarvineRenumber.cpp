#include "cli/TarvineRenumber.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/VersionRecord.h"
#include "app/Settings.h"
#include "cli/ConsoleDialogWindow.h"
#include "platform/os/Terminal.h"
#include "renumber/ControlIds.h"
#include "renumber/NameRules.h"
#include "renumber/NumberingOrder.h"
#include "renumber/RenameLog.h"
#include "renumber/RenamePreview.h"
#include "renumber/RenumberDialog.h"
#include "renumber/UndoRenames.h"

namespace {

constexpr int kUsageError = 2;

struct Request {
  std::string file;
  std::string digits = "5";
  std::string prefix;
  std::string suffix;
  bool keepLog = false;
  bool folderTemplate = false;
  bool fileList = false;
  bool slideshow = false;
  std::string seconds = "4";
  std::optional<std::string> viewer;
  std::string order = "name";
  std::string videoClock = "utc";
  std::vector<std::string> shifts;
  bool alone = false;
  std::vector<std::string> kinds;
  bool dryRun = false;
  bool explain = false;
  std::optional<std::string> undoDirectory;
  bool quiet = false;
  bool version = false;
  bool verbose = false;
};

// The one line command-line programs answer --version with; with --verbose,
// the program file's whole version record below it.
void PrintVersion(bool verbose) {
  std::printf("tarvine-renumber %s\n", kProgramVersion);
  if (!verbose) return;
  for (const VersionEntry& entry : kVersionRecord) std::printf("%s: %s\n", entry.key, entry.value);
}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "Error: %s\nRun with --help for more information.\n", message.c_str());
  return kUsageError;
}

// Whether a text is decimal digits alone (none at all included) whose
// value is at most `most`.
//   "3", 255    => true
//   "", 255     => true
//   "003", 255  => true
//   "256", 255  => false
//   "-1", "3x", "0x3", " 3", "+3" => false
bool AllDigitsAtMost(const std::string& text, unsigned long most) {
  unsigned long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned long>(c - '0');
    if (value > most) return false;
  }
  return true;
}

// The option that is over its limit or holds what no file name may, as a
// usage error naming the option; empty when every option can be used.
std::string OptionProblem(const Request& request) {
  const struct {
    const char* option;
    const std::string& value;
    size_t limit;
  } limits[] = {
      {"FILE", request.file, kPathLimit},
      {"--digits", request.digits, kDigitsLimit},
      {"--seconds", request.seconds, kSecondsLimit},
  };
  for (const auto& limit : limits) {
    if (limit.value.size() > limit.limit) {
      return std::string(limit.option) + " takes at most " + std::to_string(limit.limit) + " bytes.";
    }
  }
  // A number is its decimal digits alone: "3x", "0x3" or "-1" is no width
  // the user could mean, and read as a number it would be another one.
  if (!AllDigitsAtMost(request.digits, kMaxNameBytes)) {
    return "--digits takes a number of digits from 0 to " + std::to_string(kMaxNameBytes) +
           " (0 or empty: no padding).";
  }
  if (!AllDigitsAtMost(request.seconds, 999999)) {
    return "--seconds takes a whole number of seconds from 0 to 999999.";
  }
  if (const char* problem = AffixProblem(request.prefix, "prefix")) return std::string("--prefix: ") + problem;
  if (const char* problem = AffixProblem(request.suffix, "suffix")) return std::string("--suffix: ") + problem;
  for (const std::string& text : request.shifts) {
    ClockShift shift;
    if (!ParseClockShift(text, shift)) {
      return "--shift: " + text + " is not MODEL=OFFSET (an offset like +1h02m or -30s, in d, h, m and s).";
    }
  }
  return {};
}

int Undo(const std::string& directory) {
  const UndoOutcome outcome = UndoRenames(directory);
  std::fprintf(outcome.succeeded ? stdout : stderr, "%s%s\n", outcome.succeeded ? "" : "Error: ",
               outcome.message.c_str());
  return outcome.succeeded ? 0 : 1;
}

// An undo's dry run prints each rename undo would make, as a log line from
// the name now to the name before, then how many; or what would stop it.
int UndoDryRun(const std::string& directory) {
  const UndoPreview preview = PreviewUndo(directory);
  if (!preview.outcome.succeeded) {
    std::fprintf(stderr, "Error: %s\n", preview.outcome.message.c_str());
    return 1;
  }
  for (const LoggedRename& rename : preview.renames) {
    WriteLogLine(stdout, preview.directory.c_str(), rename.from.c_str(), rename.to.c_str());
  }
  if (preview.renames.empty()) {
    std::printf("%s\n", preview.outcome.message.c_str());
  } else {
    const size_t count = preview.renames.size();
    std::printf("Dry run: %zu %s would be reversed; nothing was changed.\n", count, count == 1 ? "rename" : "renames");
  }
  return 0;
}

int ExitStatusOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kSucceeded: return 0;
    case RunOutcome::kFailed: return 1;
    case RunOutcome::kNotStarted: break;
  }
  return kUsageError;
}

// A dry run prints each rename as the log would record it, then what it
// would come to, and changes nothing; explained, it prints each file moved
// once, from its first name to its last in the order of the new numbers,
// each line beginning with a column that says what it was ordered by.
int DryRun(const RunOptions& fields, DialogWindow& window, bool explain) {
  const RenamePreview preview = PreviewRenames(fields, window, explain);
  if (explain) {
    for (const ExplainedRename& file : FromFirstToLastNames(preview)) {
      std::printf("%s\t%s", file.orderedBy.c_str(), file.ofCompanion ? "  " : "");
      WriteLogLine(stdout, preview.directory.c_str(), file.from.c_str(), file.to.c_str());
    }
  } else {
    for (size_t i = 0; i < preview.renames.size(); ++i) {
      const LoggedRename& rename = preview.renames[i];
      if (preview.ofCompanion[i]) std::printf("  ");  // under its picture
      WriteLogLine(stdout, preview.directory.c_str(), rename.from.c_str(), rename.to.c_str());
    }
  }
  if (preview.outcome == RunOutcome::kSucceeded) {
    const size_t count = preview.renames.size();
    std::printf("Dry run: %zu %s would be made; nothing was changed.\n", count, count == 1 ? "rename" : "renames");
    std::printf("%s\n", RenamedEntriesText(preview).c_str());
  }
  return ExitStatusOf(preview.outcome);
}

int Renumber(const Request& request) {
  if (const std::string problem = OptionProblem(request); !problem.empty()) return UsageError(problem);
  ConsoleDialogWindow window(stdout, stderr, !request.quiet && !request.dryRun && IsTerminal(stderr));
  RenumberDialog dialog(window);
  dialog.ReportProgressTo(window);

  // The window's settings give the viewer, unless one is named; the
  // command line never writes them.
  ProgramSettings settings;
  LoadSettings(settings, window);
  if (request.viewer && request.viewer->size() >= sizeof settings.viewerPath) {
    return UsageError("The viewer path is too long: at most 200 bytes.");
  }
  dialog.viewerPath = request.viewer ? *request.viewer : settings.viewerPath;

  RunOptions& fields = dialog.options;
  fields.pathText = request.file;
  fields.digitsText = request.digits;
  fields.prefixText = request.prefix;
  fields.suffixText = request.suffix;
  fields.keepLog = request.keepLog;
  fields.applyViewer = request.folderTemplate;
  fields.includeFileList = request.fileList;
  fields.viewAfterRun = request.slideshow;
  fields.secondsText = request.seconds;
  ParseNumberingOrder(request.order, fields.order);  // the parser let only the three words through
  fields.videoClock = request.videoClock == "local" ? VideoClock::kLocal : VideoClock::kUtc;
  for (const std::string& text : request.shifts) ParseClockShift(text, fields.clockShifts.emplace_back());
  fields.companions = request.alone ? 0 : 1;
  fields.kinds = request.kinds;

  // The options were checked against the fields' limits above.
  if (request.dryRun) return DryRun(fields, window, request.explain);
  return ExitStatusOf(dialog.RunOnFields());
}

}  // namespace

int RunTarvineRenumber(int argc, char** argv) {
  CLI::App app(
      "Renumbers the files of one kind in one directory: every entry that matches *.EXT (EXT being FILE's "
      "extension) becomes prefix + zero-padded number + suffix + .EXT, in the order a file manager shows them. "
      "Taken names are skipped; nothing is ever overwritten. A directory numbered before is numbered again "
      "from 1.",
      "tarvine-renumber");
  Request request;
  app.add_option("FILE", request.file, "One file of the kind to renumber; its directory is renumbered");
  app.add_option("-d,--digits", request.digits, "Number of digits (default 5; 0 or empty: no padding)");
  app.add_option("-p,--prefix", request.prefix, "Text before the number");
  app.add_option("-s,--suffix", request.suffix, "Text after the number");
  app.add_flag("-l,--log", request.keepLog, "Keep a log of the renames (renum.log in the directory)");
  app.add_flag("--folder-template", request.folderTemplate, "Write Folder.htt for JPG/GIF runs");
  app.add_flag("--file-list", request.fileList, "Put the folder's file list into Folder.htt");
  app.add_flag("--slideshow", request.slideshow,
               "Write KavoViewer.html for JPG/GIF runs and open it in the viewer");
  app.add_option("--seconds", request.seconds, "Auto Sequence delay of the slideshow (default 4)");
  app.add_option("--viewer", request.viewer,
                 std::string("Viewer for --slideshow (default: the saved viewer path, else ") + kDefaultViewer + ")")
      ->type_name("PROGRAM");
  app.add_option("--order", request.order,
                 "Number in this order: name (as a file manager shows the names; the default), taken (when the "
                 "pictures were taken, by their Exif or XMP capture time, else the last-write time), modified "
                 "(last-write time)")
      ->check(CLI::IsMember({"name", "taken", "modified"}))
      ->type_name("ORDER");
  app.add_option("--video-clock", request.videoClock,
                 "With --order taken: what a video's creation time is on: utc (as the format defines it; turned "
                 "into local time, the default), local (the camera wrote its own clock)")
      ->check(CLI::IsMember({"utc", "local"}))
      ->type_name("CLOCK");
  app.add_option("--shift", request.shifts,
                 "With --order taken: move the times of the camera MODEL (as its files record it, in any case) by "
                 "OFFSET, e.g. 'Canon EOS R5=+1h02m' (d, h, m, s; signed); repeatable. The files are not changed")
      ->allow_extra_args(false)
      ->type_name("MODEL=OFFSET");
  app.add_flag("--alone", request.alone,
               "Rename the files of the kind alone: leave their companions (IMG_1.CR2, IMG_1.xmp, IMG_1.JPG.xmp, "
               "._IMG_1.JPG, ... beside IMG_1.JPG) with their old names");
  app.add_option("--kinds", request.kinds,
                 "Number the files of these extensions (and FILE's) in one sequence, each keeping its own "
                 "extension; files of listed kinds that share a name before the extension share a number")
      ->delimiter(',')
      ->allow_extra_args(false)
      ->type_name("LIST");
  CLI::Option* dryRun =
      app.add_flag("-n,--dry-run", request.dryRun, "Show the renames that would be made (with --undo: the renames undo would make); change nothing");
  app.add_flag("--explain", request.explain,
               "With --dry-run: begin each line with the time the file was ordered by, and where it came from")
      ->needs(dryRun);
  app.add_option("--undo", request.undoDirectory, "Reverse the renames recorded in DIR/renum.log")->type_name("DIR");
  app.add_flag("-q,--quiet", request.quiet, "No progress display");
  CLI::Option* version = app.add_flag("--version", request.version, "Show the version and exit");
  app.add_flag("--verbose", request.verbose, "With --version: show the whole version record")->needs(version);

  // Every usage error reads alike: "Error:", what is wrong, the --help hint.
  app.failure_message([](const CLI::App*, const CLI::Error& error) {
    return std::string("Error: ") + error.what() + "\nRun with --help for more information.\n";
  });
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? 0 : kUsageError;  // --help exits 0
  }

  if (request.version) {
    PrintVersion(request.verbose);
    return 0;
  }
  if (request.undoDirectory) {
    if (!request.file.empty()) return UsageError("--undo DIR takes no FILE.");
    if (request.explain) return UsageError("--explain does not go with --undo.");
    if (request.dryRun) return UndoDryRun(*request.undoDirectory);
    return Undo(*request.undoDirectory);
  }
  if (request.file.empty()) return UsageError("FILE is required: name one file of the kind to renumber.");
  return Renumber(request);
}
