#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/os/MemoryStream.h"
#include "tests/viewer/ExpectedFile.h"
#include "viewer/ViewerPages.h"

namespace {

// The script section as WriteSlideshowScript writes it.
std::string ScriptFor(const PageFields& fields, int32_t renamedCount, const char* extension) {
  MemoryStream stream;
  EXPECT_NE(stream.Stream(), nullptr);
  WriteSlideshowScript(stream.Stream(), PageOptions{fields, renamedCount, extension});
  return stream.Take();
}

PageFields TripFields(const char* digitsText) {
  PageFields fields;
  fields.digitsText = digitsText;
  fields.prefixText = "trip";
  fields.suffixText = "_x";
  fields.secondsText = "4";
  return fields;
}

TEST(SlideshowScript, WritesTheBlocksForEachDigitsText) {
  const struct {
    const char* digitsText;
    const char* expectedFile;
  } cases[] = {
      {"0", "script-digits-0.txt"},  // the plain DisplayIt, no prefix variable
      {"1", "script-digits-1.txt"},
      {"5", "script-digits-5.txt"},
      {"7", "script-digits-7.txt"},
      {"8", "script-digits-8.txt"},
      {"5x", "script-digits-5.txt"},  // counts as 5, but is not "0"
      {"00", "script-digits-1.txt"},  // padded form, one block without zeros
      {"-2", "script-digits-1.txt"},
      {" 0", "script-digits-1.txt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScriptFor(TripFields(c.digitsText), 12, "jpg"), ExpectedFile(c.expectedFile))
        << "digits \"" << c.digitsText << '"';
  }
}

TEST(SlideshowScript, EmptyFieldsGiveZerosAndEmptyLiterals) {
  PageFields fields;
  fields.digitsText = "3";
  fields.prefixText = "";
  fields.suffixText = "";
  fields.secondsText = "";
  EXPECT_EQ(ScriptFor(fields, 0, "JPG"), ExpectedFile("script-empty-fields.txt"));
}

TEST(SlideshowScript, NamesReachTheBrowserExactlyWhateverTheirBytes) {
  PageFields fields;
  fields.digitsText = "0";
  fields.prefixText = " \"\xC3\x89t\xC3\xA9\" 50%#? </script>";
  fields.suffixText = "\\a:b<c\t";
  fields.secondsText = "2.5";
  EXPECT_EQ(ScriptFor(fields, 3, "jp\xC3\xA9g"), ExpectedFile("script-odd-names.txt"));
}

TEST(SlideshowScript, ReadsSecondsAsAtolDoes) {
  const struct {
    const char* secondsText;
    const char* line;
  } cases[] = {
      {"4", "number_of_seconds = 4;\n"},     {"2.5", "number_of_seconds = 2;\n"},
      {" 7s", "number_of_seconds = 7;\n"},   {"x", "number_of_seconds = 0;\n"},
      {"-3", "number_of_seconds = -3;\n"},   {"", "number_of_seconds = 0;\n"},
  };
  for (const auto& c : cases) {
    PageFields fields = TripFields("5");
    fields.secondsText = c.secondsText;
    EXPECT_NE(ScriptFor(fields, 1, "jpg").find(c.line), std::string::npos) << c.secondsText;
  }
}

}  // namespace
