#include "app/StartArguments.h"

#include <gtest/gtest.h>

namespace {

using Action = StartRequest::Action;

TEST(StartArguments, AFileOpensTheWindowWithItHelpAndVersionAnswerWithoutIt) {
  const struct {
    std::vector<std::string> arguments;
    Action action;
    std::string fileOrProblem;
  } cases[] = {
      {{"tarvine"}, Action::kWindow, ""},
      {{"tarvine", "/pics/a b.jpg"}, Action::kWindow, "/pics/a b.jpg"},
      {{"tarvine", "--", "-a.jpg"}, Action::kWindow, "-a.jpg"},
      {{"tarvine", "-"}, Action::kWindow, "-"},
      {{"tarvine", "a.jpg", "--help"}, Action::kHelp, ""},
      {{"tarvine", "--bogus", "-h"}, Action::kHelp, ""},
      {{"tarvine", "--version"}, Action::kVersion, ""},
      {{"tarvine", "--", "--version"}, Action::kWindow, "--version"},
      {{"tarvine", "--bogus"}, Action::kUsageError, "Unknown option --bogus."},
      {{"tarvine", "a.jpg", "b.jpg"}, Action::kUsageError, "tarvine takes one FILE; b.jpg is a second."},
  };
  for (const auto& c : cases) {
    const StartRequest request = ParseStartArguments(c.arguments);
    EXPECT_EQ(request.action, c.action) << c.arguments.back();
    EXPECT_EQ(c.action == Action::kUsageError ? request.problem : request.file, c.fileOrProblem);
  }
  EXPECT_FALSE(AnswerWithoutWindow(ParseStartArguments({"tarvine", "a.jpg"})));
  const auto version = AnswerWithoutWindow(ParseStartArguments({"tarvine", "--version"}));
  ASSERT_TRUE(version);
  EXPECT_EQ(version->text, "tarvine 1.0.0.1\n");
  EXPECT_EQ(version->status, 0);
  const auto error = AnswerWithoutWindow(ParseStartArguments({"tarvine", "-x"}));
  ASSERT_TRUE(error);
  EXPECT_EQ(error->text, "Error: Unknown option -x.\nRun with --help for more information.\n");
  EXPECT_EQ(error->status, 2);
  EXPECT_TRUE(error->isError);
}

}  // namespace
