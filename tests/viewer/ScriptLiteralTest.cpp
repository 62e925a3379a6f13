#include "viewer/ScriptLiteral.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
  std::string text;
  std::string literal;
};

TEST(ScriptLiteralText, KeepsOrdinaryNamesAndEscapesWhatWouldBreakTheScriptOrTheAddress) {
  const Case cases[] = {
      {"trip", "trip"},
      {"", ""},
      {"my pics/a_b-c.d", "my pics/a_b-c.d"},  // the common name bytes pass unchanged
      {"(1)&[2]+=';,~!@$", "(1)&[2]+=';,~!@$"},
      {"say \"hi\"", "say \\\"hi\\\""},
      {"</script>", "\\x3C/script>"},
      {"<!--", "\\x3C!--"},
      {"50% #1?", "50%25 %231%3F"},
      {"%25", "%2525"},  // a text that looks escaped already still names its own bytes
      {"a\\b", "a%5Cb"},
      {"Paris:", "Paris%3A"},
      {"C|/x", "C%7C/x"},  // not a drive
      {"\xC3\xA9t\xC3\xA9", "%C3%A9t%C3%A9"},  // été in UTF-8
      {"\xFF", "%FF"},
      {"a\tb\nc\x7F", "a%09b%0Ac%7F"},
      {std::string("a\0b", 3), "a%00b"},
      {" lead", " lead"},  // blanks are the name start's business
  };
  for (const Case& c : cases) EXPECT_EQ(ScriptLiteralText(c.text), c.literal) << c.text;
}

TEST(NameStartLiteral, KeepsTheBrowserFromDroppingLeadingBlanksOrLeavingThePictureDirectory) {
  const Case cases[] = {
      {"trip", "trip"},
      {"", ""},
      {"trip a ", "trip a "},
      {"  trip", "%20%20trip"},
      {" ", "%20"},
      {"/trip", ".//trip"},
      {"//trip", ".///trip"},
      {" /x", "%20/x"},
      {"sub/", "sub/"},
      {" \"x#", "%20\\\"x%23"},  // the rest escaped as in every literal
  };
  for (const Case& c : cases) EXPECT_EQ(NameStartLiteral(c.text), c.literal) << c.text;
}

}  // namespace
