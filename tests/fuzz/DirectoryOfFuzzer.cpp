// DirectoryOf against its documented behaviour: a drive (two bytes, the
// second ':'), then everything up to the last '\' or '/' after it, cut at
// kMaxPathText bytes. The directory part of a whole directory part is itself.
//
// Input: the path.

#include <cstdint>
#include <string>

#include "fsystem/PathHelpers.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

std::string ExpectedDirectory(const std::string& path) {
  const size_t drive = path.size() >= 2 && path[1] == ':' ? 2 : 0;
  const size_t lastSeparator = path.find_last_of("\\/");
  const size_t length = lastSeparator != std::string::npos && lastSeparator >= drive ? lastSeparator + 1 : drive;
  return path.substr(0, length).substr(0, kMaxPathText);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = SplitInput(data, size, 1)[0];
  const std::string expected = ExpectedDirectory(path);

  const std::string directory = DirectoryOf(path.c_str());
  CHECK(directory == expected,
        "DirectoryOf(" + Printable(path) + "): expected " + Printable(expected) + ", got " + Printable(directory));

  if (directory.size() < static_cast<size_t>(kMaxPathText)) {
    const std::string again = DirectoryOf(directory.c_str());
    CHECK(again == directory, "DirectoryOf(" + Printable(directory) + "): expected it back, got " + Printable(again));
  }
  return 0;
}
