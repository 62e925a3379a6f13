// The settings file as the program reads it, for any bytes in it: each of
// the two lines gives its value cut to the value's room (a line never
// spills into the next value), a missing line leaves the default, nothing
// is shown to the user. Every value read is storable, and whatever
// StorableSetting accepts comes back unchanged from SaveSettings then
// LoadSettings.
//
// Input: the bytes of Tarvine.ini. The same bytes split at zero bytes give
// two more values (viewer, directory) for the round trip.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "tests/support/HeadlessDialogWindow.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/MemoryFileServices.h"

namespace {

constexpr size_t kViewerCapacity = sizeof ProgramSettings{}.viewerPath - 1;
constexpr size_t kDirectoryCapacity = sizeof ProgramSettings{}.lastDirectory - 1;

// A line as it ends up in a value: cut to the value's capacity, and seen as
// a C text, so a zero byte ends it.
std::string AsValue(const std::string& line, size_t capacity) {
  const std::string kept = line.substr(0, capacity);
  return kept.substr(0, kept.find('\0'));
}

struct Values {
  std::string viewer;
  std::string directory;
};

Values ExpectedValues(const std::string& file, const Values& defaults) {
  Values expected = defaults;
  if (file.empty()) return expected;
  const size_t firstEnd = file.find('\n');
  expected.viewer = AsValue(file.substr(0, firstEnd), kViewerCapacity);
  if (firstEnd == std::string::npos || firstEnd + 1 == file.size()) return expected;
  const std::string rest = file.substr(firstEnd + 1);
  expected.directory = AsValue(rest.substr(0, rest.find('\n')), kDirectoryCapacity);
  return expected;
}

std::string Describe(const Values& values) {
  return "viewer " + Printable(values.viewer) + ", directory " + Printable(values.directory);
}

Values Load(HeadlessDialogWindow& window) {
  ProgramSettings values;
  LoadSettings(values, window);
  return {values.viewerPath, values.lastDirectory};
}

// Saves both values and reads them back.
void CheckRoundTrip(const Values& stored, MemoryFileServices& files) {
  HeadlessDialogWindow window;
  ProgramSettings values;
  LoadSettings(values, window);  // fixes the settings path
  std::snprintf(values.viewerPath, sizeof values.viewerPath, "%s", stored.viewer.c_str());
  std::snprintf(values.lastDirectory, sizeof values.lastDirectory, "%s", stored.directory.c_str());
  SaveSettings(values, window);
  CHECK(window.Messages().empty(), "saving " + Describe(stored) + " showed " + Printable(window.Messages()[0].text));

  const Values loaded = Load(window);
  CHECK(window.Messages().empty(), "reading back " + Describe(stored) + " showed " +
                                       Printable(window.Messages()[0].text));
  CHECK(loaded.viewer == stored.viewer && loaded.directory == stored.directory,
        "saved " + Describe(stored) + " as " + Printable(files.Contents()[values.settingsPath]) + ", read back " +
            Describe(loaded));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A settings directory of the fuzzer's own, which exists only in memory.
  setenv("XDG_CONFIG_HOME", "/tarvine-fuzz-config", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static MemoryFileServices files;
  files.Clear();
  const ScopedFileServices inForce(files);
  files.Contents()["/tarvine-fuzz-config/tarvine"];  // so a save makes no directory on the disk

  HeadlessDialogWindow window;
  ProgramSettings fresh;
  LoadSettings(fresh, window);  // no file yet: the defaults and the path
  const Values defaults{fresh.viewerPath, fresh.lastDirectory};

  const std::string file(reinterpret_cast<const char*>(data), size);
  files.Contents()[fresh.settingsPath] = file;
  const Values expected = ExpectedValues(file, defaults);
  const Values loaded = Load(window);
  CHECK(window.Messages().empty(), "reading " + Printable(file) + " showed " + Printable(window.Messages()[0].text));
  CHECK(loaded.viewer == expected.viewer && loaded.directory == expected.directory,
        "reading " + Printable(file) + ": expected " + Describe(expected) + ", got " + Describe(loaded));

  CHECK(StorableSetting(loaded.viewer.c_str(), kViewerCapacity) &&
            StorableSetting(loaded.directory.c_str(), kDirectoryCapacity),
        "values read from " + Printable(file) + " are not storable: " + Describe(loaded));
  CheckRoundTrip(loaded, files);

  const std::vector<std::string> texts = SplitInput(data, size, 2);
  if (StorableSetting(texts[0].c_str(), kViewerCapacity) && StorableSetting(texts[1].c_str(), kDirectoryCapacity)) {
    CheckRoundTrip({texts[0], texts[1]}, files);
  }
  return 0;
}
