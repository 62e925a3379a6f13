// The renumbering pass: one walk over a directory listing that renames every
// entry to the next free numbered name.

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fsystem/FSystem.h"
#include "platform/FileServices.h"
#include "renumber/ControlIds.h"
#include "renumber/NameRules.h"
#include "renumber/RenameLogFile.h"
#include "renumber/RenumberDialog.h"

namespace {

constexpr size_t kMaxAffix = 199;  // bytes of a prefix or a suffix
constexpr size_t kMaxExtension = 7;
const char kLogName[] = "renum.log";
const char kCannotWriteLog[] = "Could not write to renum.log file";

// A rename refused because its name was taken (by an entry, or by another
// program a moment after the test) is tried again with the next free number;
// this many times at most, so a file system that refuses every name cannot
// hold the pass.
constexpr int kMostRetriesOfTakenNames = 1000;

// A text that does not fit its limit is refused before anything is renamed:
// a name cut short could collide with another or lose its extension.
const char kPathTooLong[] = "The path is too long: at most 303 bytes.";
const char kExtensionTooLong[] = "The extension is too long: at most 7 bytes.";
const char kPrefixTooLong[] = "The prefix is too long: at most 199 bytes.";
const char kSuffixTooLong[] = "The suffix is too long: at most 199 bytes.";
const char kNewNameTooLong[] = "The new file names would be too long: at most 303 bytes with the directory.";
const char kOldNameTooLong[] = "A file name in the directory is too long: at most 303 bytes with the directory.";

// The run's own log is written while the pass renames *.log files: it
// must keep its name.
void LeaveOutLog(FileList& list) {
  for (ListNode* node = list.First(); node; node = list.Next()) {
    if (std::strcmp(list.CurrentName(), kLogName) == 0) {
      list.RemoveCurrent();
      return;
    }
  }
}

// The listed names in list order, each followed by its terminator. The
// rename loop reads them from here: its renames' kernel work evicts the
// list's records, one heap block each, from the cache, while this text is
// read straight through.
struct ListedNames {
  std::string text;
  long count = 0;
  size_t longest = 0;  // bytes of the longest name
};

ListedNames CollectNames(FileList& list) {
  ListedNames names;
  for (ListNode* node = list.First(); node; node = list.Next()) {
    const char* name = list.CurrentName();
    const size_t length = std::strlen(name);
    names.text.append(name, length + 1);
    names.longest = std::max(names.longest, length);
    ++names.count;
  }
  return names;
}

// The count line's text while counting, as "   %ld" prints it; a pass sets
// it for every entry.
//   0 => "   0"   123456 => "   123456"
void FormatCount(long count, char (&out)[32]) {
  std::memcpy(out, "   ", 3);
  *std::to_chars(out + 3, out + sizeof out - 1, count).ptr = '\0';
}

enum class EntryOutcome { kRenamed, kRenameFailed, kLogFailed };

// Gives the entry `oldName` the name of the first free number from `counter`
// on, its own name counting as taken, and moves the counter past it.
//
// The never-replacing rename is itself the test of a name: it refuses a
// taken one (EEXIST), the entry's own included. So a name is tried at once,
// and only after a refusal are the next names tested with the cheaper
// existence test (in a directory numbered before, they are taken in a row).
// With a log the line goes first, so a name is tested before its line is
// written; a rename that fails takes its line back.
EntryOutcome RenameToNextFreeName(const NewNameRule& rule, const char* oldName, int32_t& counter,
                                  RenameLogFile& log, char* newName, size_t room) {
  const auto formatNext = [&] {
    return counter < INT32_MAX && rule.Format(counter++, newName, room) < static_cast<int>(room);
  };
  bool testFirst = log.IsOpen();
  for (int refused = 0; refused <= kMostRetriesOfTakenNames; ++refused) {
    bool fits = formatNext();
    while (testFirst && fits && FileExists(newName) == 1) fits = formatNext();
    if (!fits) return EntryOutcome::kRenameFailed;

    if (log.IsOpen() && !log.Record(oldName, newName)) return EntryOutcome::kLogFailed;
    const int error = Files().Rename(oldName, newName);
    if (error == 0) return EntryOutcome::kRenamed;
    if (log.IsOpen()) log.TakeBack();
    if (error != EEXIST) return EntryOutcome::kRenameFailed;
    testFirst = true;
  }
  return EntryOutcome::kRenameFailed;
}

}  // namespace

int RenumberDialog::RenumberFiles(PassKind pass) {
  lastPassFailed_ = false;
  if (options.pathText.empty()) {
    ShowError("Please specify a path and the first file name to rename.");
    return 0;
  }
  if (options.pathText.size() > kMaxPathText) {
    ShowError(kPathTooLong);
    return 0;
  }
  char pathCopy[kMaxPathText + 1];
  std::snprintf(pathCopy, sizeof pathCopy, "%s", options.pathText.c_str());
  if (options.digitsText.empty()) options.digitsText.push_back('0');  // empty reads as "0"

  const char* extension = ExtensionOfFileName(pathCopy);
  if (!extension) {
    ShowError("File name must have an extension.");
    return 0;
  }
  if (std::strlen(extension) > kMaxExtension) {
    ShowError(kExtensionTooLong);
    return 0;
  }
  std::snprintf(program.currentExtension, sizeof program.currentExtension, "%s", extension);
  char directory[kMaxPathText + 1];
  std::snprintf(directory, sizeof directory, "%s", DirectoryOf(pathCopy));

  if (options.prefixText.size() > kMaxAffix) {
    ShowError(kPrefixTooLong);
    return 0;
  }
  if (options.suffixText.size() > kMaxAffix) {
    ShowError(kSuffixTooLong);
    return 0;
  }
  // The width is read like atol; one beyond any name's room is refused here,
  // before it could overflow the formatting's int.
  const long width = std::atol(options.digitsText.c_str());
  if (width > kMaxPathText || width < -kMaxPathText) {
    ShowError(kNewNameTooLong);
    return 0;
  }
  const NewNameRule rule{directory, options.prefixText.c_str(), static_cast<int>(width),
                         options.suffixText.c_str(), program.currentExtension};

  char pattern[16];
  std::snprintf(pattern, sizeof pattern, "%s", JoinPath("*.", program.currentExtension));
  FileList list;
  list.LoadNames(directory, pattern);  // the pass reads nothing but names
  if (options.keepLog == 1) LeaveOutLog(list);
  if (!list.First()) {
    ShowError("Could not find at least one file.");
    return 0;
  }

  char oldName[kMaxPathText + 1];
  char newName[kMaxPathText + 1];
  const size_t directoryLength = std::strlen(directory);
  const ListedNames names = CollectNames(list);
  if (directoryLength + names.longest > kMaxPathText) {
    ShowError(kOldNameTooLong);
    return 0;
  }
  const long entryCount = names.count;
  // Names only grow with their numbers, and every entry needs one at least
  // as high as its place in the list.
  if (rule.Format(entryCount, newName, sizeof newName) >= static_cast<int>(sizeof newName)) {
    ShowError(kNewNameTooLong);
    return 0;
  }

  RenameLogFile log;
  if (options.keepLog == 1 && !log.Open(JoinPath(directory, kLogName), pass == PassKind::kSecond)) {
    ShowError(kCannotWriteLog);
    return 0;
  }

  char countText[32];
  window_.SetProgressTotal(entryCount);
  program.renamedCount = 0;
  int32_t counter = 1;
  window_.PumpMessages();
  const char* entryName = names.text.data();
  for (long entry = 0; entry < entryCount; ++entry) {
    FormatCount(program.renamedCount, countText);
    window_.PumpMessages();
    window_.SetDlgItemText(kCountLine, countText);
    window_.PumpMessages();

    // Directory and name fit: every entry was checked before renaming began.
    const size_t nameLength = std::strlen(entryName);
    std::memcpy(oldName, directory, directoryLength);
    std::memcpy(oldName + directoryLength, entryName, nameLength + 1);
    entryName += nameLength + 1;
    const EntryOutcome outcome = RenameToNextFreeName(rule, oldName, counter, log, newName, sizeof newName);
    if (outcome != EntryOutcome::kRenamed) {
      ShowError(outcome == EntryOutcome::kLogFailed ? kCannotWriteLog : "Could not rename at least one file.");
      lastPassFailed_ = true;
      break;
    }
    ++program.renamedCount;
  }

  std::snprintf(countText, sizeof countText, "   %ld files.", static_cast<long>(program.renamedCount));
  window_.SetDlgItemText(kCountLine, countText);
  window_.PumpMessages();
  return 1;
}
