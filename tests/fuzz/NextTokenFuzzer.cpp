// NextToken against its documented behaviour: the first 255 bytes of the
// text are copied, split at every delimiter (empty tokens included), each
// token cut to 100 bytes, then null for good. A new split forgets an
// unfinished one, and the text may be gone once the split has started.
//
// Input: one delimiter byte, then the text; after a zero byte, optionally a
// second text that is split half-way before the first is split again.

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fsystem/PathHelpers.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

constexpr size_t kCopied = 255;
constexpr size_t kTokenRoom = 100;

std::vector<std::string> ExpectedTokens(const std::string& text, char delimiter) {
  const std::string copy = text.substr(0, kCopied);
  std::vector<std::string> tokens;
  size_t start = 0;
  while (true) {
    const size_t stop = copy.find(delimiter, start);
    const size_t end = stop == std::string::npos ? copy.size() : stop;
    tokens.push_back(copy.substr(start, end - start).substr(0, kTokenRoom));
    if (stop == std::string::npos) break;
    start = stop + 1;
  }
  return tokens;
}

// Starts a split on a copy of `text` that is freed at once: NextToken must
// have taken its own copy, or AddressSanitizer reports the use after free.
char* StartSplit(const std::string& text, char delimiter) {
  auto buffer = std::make_unique<char[]>(text.size() + 1);
  std::memcpy(buffer.get(), text.c_str(), text.size() + 1);
  return NextToken(buffer.get(), delimiter);
}

std::string Describe(const std::string& text, char delimiter, size_t index) {
  return "text " + Printable(text) + ", delimiter " + Printable(std::string(1, delimiter)) + ", token " +
         std::to_string(index);
}

void CheckWholeSplit(const std::string& text, char delimiter) {
  const std::vector<std::string> expected = ExpectedTokens(text, delimiter);
  char* token = StartSplit(text, delimiter);
  for (size_t i = 0; i < expected.size(); ++i) {
    CHECK(token != nullptr, Describe(text, delimiter, i) + ": expected " + Printable(expected[i]) + ", got null");
    CHECK(token == expected[i],
          Describe(text, delimiter, i) + ": expected " + Printable(expected[i]) + ", got " + Printable(token));
    token = NextToken(nullptr, 0);
  }
  CHECK(token == nullptr, Describe(text, delimiter, expected.size()) + ": expected null after the last token, got " +
                              Printable(token));
  CHECK(NextToken(nullptr, 0) == nullptr, Describe(text, delimiter, expected.size() + 1) + ": null did not last");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char delimiter = static_cast<char>(data[0]);
  const std::vector<std::string> texts = SplitInput(data + 1, size - 1, 2);
  const std::string& text = texts[0];
  const std::string& other = texts[1];

  CheckWholeSplit(text, delimiter);

  if (!other.empty()) {
    // Leave a split of the other text unfinished; the next one starts afresh.
    const size_t taken = ExpectedTokens(other, delimiter).size() / 2;
    StartSplit(other, delimiter);
    for (size_t i = 1; i < taken; ++i) NextToken(nullptr, 0);
    CheckWholeSplit(text, delimiter);
  }
  return 0;
}
