// The slideshow script for any prefix, suffix, extension, digits, count and
// seconds texts. The script element must end where the page ends it, every
// string literal must be one the script's parser reads (only printable
// ASCII, no raw '"' or '<', and only the escapes \" and \x3C), every
// literal must be a clean relative address ('%' only as %XX, no '#', '?',
// '\' or ':'), and DisplayIt must give each picture number the address of
// the file the pass named. node's parser checks the same scripts in
// check-slideshow-scripts.mjs.
//
// Input: as SlideshowCase.h reads it.

#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/SlideshowCase.h"

namespace {

constexpr std::string_view kOpenTag = "<SCRIPT LANGUAGE=\"JavaScript\">\n";
constexpr std::string_view kCloseTag = "</SCRIPT>\n\n";

// The picture numbers whose addresses are checked, besides the count.
constexpr long kNumbers[] = {1, 2, 9, 10, 11, 99, 100, 101, 999, 1000, 12345, 99999, 100000, 1234567, 2147483647};

std::string g_input;  // the case, for the failure messages

std::string Describe(const SlideshowCase& slideshow) {
  return "prefix " + Printable(slideshow.fields.prefixText) + ", suffix " + Printable(slideshow.fields.suffixText) +
         ", extension " + Printable(slideshow.extension) + ", digits " + Printable(slideshow.fields.digitsText);
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

int HexValue(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }

// Reads the literal that starts at body[at] ('"') as the script's parser
// reads it, and moves `at` past its closing quote; aborts on anything the
// writer must never write inside a literal.
std::string ReadLiteral(std::string_view body, size_t& at) {
  std::string value;
  for (size_t i = at + 1; i < body.size(); ++i) {
    const char c = body[i];
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"') {
      at = i + 1;
      return value;
    }
    if (c == '\\') {
      if (body.substr(i, 2) == "\\\"") {
        value += '"';
        i += 1;
      } else if (body.substr(i, 4) == "\\x3C") {
        value += '<';
        i += 3;
      } else {
        CHECK(false, g_input + ": escape " + Printable(body.substr(i, 4)) + " in a literal");
      }
      continue;
    }
    CHECK(byte >= 0x20 && byte < 0x7F && c != '<',
          g_input + ": raw byte " + Printable(std::string(1, c)) + " in the literal at " + std::to_string(at));
    value += c;
  }
  CHECK(false, g_input + ": a literal is not closed");
}

// A literal's value as the browser reads it as an address: %XX gives the
// byte; whatever would change the address's meaning aborts.
std::string DecodeAddress(const std::string& value) {
  std::string bytes;
  for (size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    CHECK(c != '#' && c != '?' && c != '\\' && c != ':',
          g_input + ": " + Printable(std::string(1, c)) + " stands raw in the literal " + Printable(value));
    if (c == '%') {
      CHECK(i + 2 < value.size() && IsHexDigit(value[i + 1]) && IsHexDigit(value[i + 2]),
            g_input + ": '%' without two hex digits in the literal " + Printable(value));
      bytes += static_cast<char>(HexValue(value[i + 1]) * 16 + HexValue(value[i + 2]));
      i += 2;
    } else {
      bytes += c;
    }
  }
  return bytes;
}

// Whether `at` starts `text`, moving past it.
bool Skip(std::string_view body, size_t& at, std::string_view text) {
  if (body.substr(at, text.size()) != text) return false;
  at += text.size();
  return true;
}

// A decimal number as text, compared by value: the thresholds run to 10^303.
bool NotAbove(const std::string& threshold, const std::string& number) {
  return threshold.size() != number.size() ? threshold.size() < number.size() : threshold <= number;
}

struct ThresholdLiteral {
  std::string threshold;
  std::string zeros;
};

// DisplayIt's blocks, "if( number_of_pic >= T )\n{\nprefix = "Z";\n}\n\n", in order.
std::vector<ThresholdLiteral> ReadBlocks(std::string_view body, size_t& at) {
  std::vector<ThresholdLiteral> blocks;
  while (Skip(body, at, "if( number_of_pic >= ")) {
    ThresholdLiteral block;
    while (at < body.size() && body[at] >= '0' && body[at] <= '9') block.threshold += body[at++];
    CHECK(Skip(body, at, " )\n{\nprefix = ") && at < body.size() && body[at] == '"',
          g_input + ": a threshold block is not whole");
    block.zeros = ReadLiteral(body, at);
    CHECK(Skip(body, at, ";\n}\n\n"), g_input + ": a threshold block is not closed");
    blocks.push_back(block);
  }
  return blocks;
}

void CheckAddresses(const SlideshowCase& slideshow, std::string_view body) {
  const bool plain = slideshow.fields.digitsText == "0";
  size_t at = body.find("function DisplayIt()\n{\n");
  CHECK(at != std::string_view::npos, g_input + ": no DisplayIt");
  at += std::string_view("function DisplayIt()\n{\n").size();
  std::vector<ThresholdLiteral> blocks;
  if (!plain) {
    CHECK(Skip(body, at, "var prefix;\n"), g_input + ": the padded DisplayIt has no prefix variable");
    blocks = ReadBlocks(body, at);
    CHECK(!blocks.empty() && blocks[0].threshold == "1", g_input + ": no block for picture 1");
  }
  CHECK(Skip(body, at, "document.showme.src = \""), g_input + ": no address line in DisplayIt");
  --at;
  const std::string start = ReadLiteral(body, at);
  CHECK(Skip(body, at, plain ? " + number_of_pic + \"" : " + prefix + number_of_pic + \""),
        g_input + ": the address line does not put the number between two literals");
  --at;
  const std::string end = ReadLiteral(body, at);
  CHECK(Skip(body, at, ";\n}\n"), g_input + ": the address line is not closed");
  // The browser drops blanks at the start of an address, and under the URL
  // standard reads "C|/" there as the drive C: of a file address.
  CHECK(start.empty() || start[0] != ' ', g_input + ": the address starts with a blank: " + Printable(start));
  CHECK(!(start.size() >= 3 && std::isalpha(static_cast<unsigned char>(start[0])) && start[1] == '|' &&
          start[2] == '/'),
        g_input + ": the address starts with a drive letter: " + Printable(start));

  std::vector<long> numbers(std::begin(kNumbers), std::end(kNumbers));
  if (slideshow.renamedCount > 0) numbers.push_back(slideshow.renamedCount);
  for (const long number : numbers) {
    const std::string digits = std::to_string(number);
    std::string zeros;
    for (const ThresholdLiteral& block : blocks) {
      if (NotAbove(block.threshold, digits)) zeros = block.zeros;
    }
    const std::string address = DecodeAddress(start) + DecodeAddress(zeros) + digits + DecodeAddress(end);
    const std::string expected = ExpectedAddress(slideshow, number);
    CHECK(address == expected, g_input + ", picture " + digits + ": the script asks for " +
                                   Printable(address) + ", the pass named it " + Printable(expected));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const SlideshowCase slideshow = SlideshowCaseFrom(data, size);
  g_input = Describe(slideshow);
  const std::string script = ScriptOf(slideshow);

  // The element ends at its own closing tag: the body holds no '<' but the
  // one of the "<!--" that opens it, so neither "</script" nor "<script"
  // (which would hide the closing tag) can appear in it.
  CHECK(script.size() >= kOpenTag.size() + kCloseTag.size() && script.starts_with(kOpenTag) &&
            script.ends_with(kCloseTag),
        g_input + ": the script element is not whole");
  const std::string_view body =
      std::string_view(script).substr(kOpenTag.size(), script.size() - kOpenTag.size() - kCloseTag.size());
  CHECK(body.starts_with("<!--") && body.find('<', 1) == std::string_view::npos,
        g_input + ": a '<' in the script body at " + std::to_string(body.find('<', 1)));

  // Every literal in the body is well formed and a clean address.
  for (size_t at = body.find('"'); at != std::string_view::npos; at = body.find('"', at)) {
    DecodeAddress(ReadLiteral(body, at));
  }
  CheckAddresses(slideshow, body);
  return 0;
}
