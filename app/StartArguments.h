#pragma once
// What the tarvine program is asked on its command line: to open the window,
// with one file in its path field or none, or to answer --help or --version
// on the terminal without opening it.

#include <optional>
#include <string>
#include <vector>

// One reading of the arguments; `file` is set for kWindow only, `problem`
// for kUsageError only.
struct StartRequest {
  enum class Action { kWindow, kHelp, kVersion, kUsageError };
  Action action = Action::kWindow;
  std::string file;     // the file for the path field; "" for none
  std::string problem;  // what is wrong with the arguments
};

// Reads the arguments, the program's name first. --help and --version
// count wherever they stand before "--"; "--" makes every argument after it
// a file name, also one that starts with "-".
//   {"tarvine"}                         => kWindow, file ""
//   {"tarvine", "/pics/a.jpg"}          => kWindow, file "/pics/a.jpg"
//   {"tarvine", "--", "-a.jpg"}         => kWindow, file "-a.jpg"
//   {"tarvine", "a.jpg", "--help"}      => kHelp
//   {"tarvine", "-h"}                   => kHelp
//   {"tarvine", "--version"}            => kVersion
//   {"tarvine", "--bogus"}              => kUsageError, "Unknown option --bogus."
//   {"tarvine", "a.jpg", "b.jpg"}       => kUsageError, "tarvine takes one FILE; b.jpg is a second."
StartRequest ParseStartArguments(const std::vector<std::string>& arguments);

// The answer to a request that needs no window: the help or the version
// line for standard output, or a usage error ("Error:", the problem, the
// --help hint) for standard error, and the exit status.
struct StartAnswer {
  int status;         // 0, or 2 for a usage error
  std::string text;   // whole lines
  bool isError;       // for standard error
};

// Nothing for a request to open the window.
//   kVersion                    => {0, "tarvine 1.0.0.1\n", false}
//   kUsageError "Unknown option -x." => {2, "Error: Unknown option -x.\nRun with --help for more information.\n", true}
std::optional<StartAnswer> AnswerWithoutWindow(const StartRequest& request);

// The answer written to its stream; returns its exit status.
int PrintAnswer(const StartAnswer& answer);
