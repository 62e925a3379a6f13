#include "app/StartArguments.h"

#include <cstdio>

#include "app/VersionRecord.h"

namespace {

constexpr int kUsageError = 2;

const char kHelp[] =
    "Usage: tarvine [FILE]\n"
    "Opens the Tarvine window, which renumbers the files of one kind in one directory.\n"
    "FILE, one file of the kind to renumber, goes into its path field.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit\n"
    "  --version      Show the version and exit\n"
    "\n"
    "The same run without a window: tarvine-renumber --help\n";

}  // namespace

StartRequest ParseStartArguments(const std::vector<std::string>& arguments) {
  StartRequest request;
  bool optionsEnded = false;
  bool fileSeen = false;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (!optionsEnded && (argument == "--help" || argument == "-h")) return {StartRequest::Action::kHelp, {}, {}};
    if (!optionsEnded && argument == "--version") return {StartRequest::Action::kVersion, {}, {}};
    // A problem found here stands unless --help or --version follows.
    if (request.action == StartRequest::Action::kUsageError) continue;
    if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
      request = {StartRequest::Action::kUsageError, {}, "Unknown option " + argument + "."};
    } else if (fileSeen) {
      request = {StartRequest::Action::kUsageError, {}, "tarvine takes one FILE; " + argument + " is a second."};
    } else {
      request.file = argument;
      fileSeen = true;
    }
  }
  return request;
}

std::optional<StartAnswer> AnswerWithoutWindow(const StartRequest& request) {
  switch (request.action) {
    case StartRequest::Action::kWindow: break;
    case StartRequest::Action::kHelp: return StartAnswer{0, kHelp, false};
    case StartRequest::Action::kVersion: return StartAnswer{0, std::string("tarvine ") + kProgramVersion + "\n", false};
    case StartRequest::Action::kUsageError:
      return StartAnswer{kUsageError, "Error: " + request.problem + "\nRun with --help for more information.\n", true};
  }
  return std::nullopt;
}

int PrintAnswer(const StartAnswer& answer) {
  std::FILE* stream = answer.isError ? stderr : stdout;
  std::fputs(answer.text.c_str(), stream);
  std::fflush(stream);
  return answer.status;
}
