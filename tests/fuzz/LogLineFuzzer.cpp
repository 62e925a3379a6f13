// ParseLogLine, which undo trusts to tell which name to give back, for any
// line: a rename it reads has both names, its old name holds no separator,
// and the two names written back as a log line give the very same line.
// A rename written as the log writes it is read back as it was.
//
// Input: the line (any bytes). Split at zero bytes it also gives an old and
// a new name for the second check.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "renumber/RenameLog.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

constexpr std::string_view kSeparator = "\t\t-> ";

std::string LogLine(const std::string& from, const std::string& to) { return from + std::string(kSeparator) + to; }

std::string Describe(const LoggedRename& rename) {
  return "{" + Printable(rename.from) + ", " + Printable(rename.to) + "}";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  if (const auto rename = ParseLogLine(line)) {
    CHECK(!rename->from.empty() && !rename->to.empty(),
          "ParseLogLine(" + Printable(line) + ") = " + Describe(*rename) + ": a name is empty");
    CHECK(rename->from.find(kSeparator) == std::string::npos,
          "ParseLogLine(" + Printable(line) + ") = " + Describe(*rename) + ": not split at the first separator");
    CHECK(LogLine(rename->from, rename->to) == line,
          "ParseLogLine(" + Printable(line) + ") = " + Describe(*rename) + ", which is not the same line");
  } else {
    const size_t separator = line.find(kSeparator);
    CHECK(separator == std::string::npos || separator == 0 || separator + kSeparator.size() == line.size(),
          "ParseLogLine(" + Printable(line) + ") read nothing from a line with both names");
  }

  // Names of a rename as a run logs them: no line break, and an old name
  // without the separator (its first occurrence ends the old name).
  const std::vector<std::string> names = SplitInput(data, size, 2);
  const std::string& from = names[0];
  const std::string& to = names[1];
  if (from.empty() || to.empty() || from.find('\n') != std::string::npos || to.find('\n') != std::string::npos ||
      from.find(kSeparator) != std::string::npos) {
    return 0;
  }
  const auto read = ParseLogLine(LogLine(from, to));
  CHECK(read && read->from == from && read->to == to,
        "ParseLogLine(" + Printable(LogLine(from, to)) + ") = " + (read ? Describe(*read) : "nothing") +
            ", expected " + Describe({from, to}));
  return 0;
}
