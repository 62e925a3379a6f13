#include "renumber/RenameLogFile.h"

#include <cerrno>
#include <climits>
#include <optional>

#include "platform/os/FileServices.h"
#include "renumber/RenameIds.h"
#include "renumber/RenameLog.h"
#include "renumber/UndoRenames.h"

namespace {

// Where the first `most` whole lines of a file end (all of them when it has
// fewer), and in `lines` how many that is; a last line without its line end
// does not count.
//   "a\nb\n", most 5 => 4, lines 2
//   "a\nb\n", most 1 => 2, lines 1
//   "a\nb",   most 5 => 2, lines 1
//   "",       most 5 => 0, lines 0
long EndOfLines(FILE* file, long most, long& lines) {
  lines = 0;
  long at = 0;
  long end = 0;
  char chunk[65536];
  size_t got;
  while (lines < most && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    for (size_t i = 0; i < got && lines < most; ++i) {
      if (chunk[i] == '\n') {
        ++lines;
        end = at + static_cast<long>(i) + 1;
      }
    }
    at += static_cast<long>(got);
  }
  return end;
}

// The lines of the file `name` as EndOfLines counts them; none when it
// cannot be read (it does not exist yet).
long EndOfOwnFileLines(RunDirectory& directory, const char* name, long most, long& lines) {
  FILE* file = directory.OpenOwnFile(name, "rb");
  lines = 0;
  if (!file) return 0;
  const long end = EndOfLines(file, most, lines);
  std::fclose(file);
  return end;
}

// Where the identity lines of the first `logLines` lines of the log end in
// renum.ids (past its header, when it has one), and in `lines` how many
// identity lines there are up to there; none when it cannot be read.
long EndOfIdentityLines(RunDirectory& directory, long logLines, long& lines) {
  lines = 0;
  FILE* ids = directory.OpenOwnFile(kIdsFileName, "rb");
  if (!ids) return 0;
  long headerLines = 0;
  const long headerEnd = EndOfLines(ids, 1, headerLines);
  bool hasHeader = false;
  if (headerLines == 1) {
    std::string first(static_cast<size_t>(headerEnd), '\0');
    std::rewind(ids);
    hasHeader = std::fread(first.data(), 1, first.size(), ids) == first.size() &&
                ParseHeaderLine(std::string_view(first).substr(0, first.size() - 1)).has_value();
  }
  std::rewind(ids);
  const long end = EndOfLines(ids, logLines + (hasHeader ? 1 : 0), lines);
  if (hasHeader) --lines;
  std::fclose(ids);
  return end;
}

}  // namespace

int RenameLogFile::Open(RunDirectory& directory, const char* directoryText, bool append,
                        const std::function<IdsHeader()>& header) {
  Close();
  directory_ = &directory;
  directoryText_ = directoryText;
  created_ = directory.Exists(kLogFileName) != 1 || directory.Exists(kIdsFileName) != 1;
  long logLines = 0;
  const auto inEffect = append ? LoggedRenamesInEffect(directory) : std::optional<size_t>(0);
  // A log undo could not read line by line records no run undo could take
  // back: it is started afresh, as a log always was before logs were added
  // to.
  const long keptLines = inEffect ? static_cast<long>(*inEffect) : 0;
  const long logEnd = append ? EndOfOwnFileLines(directory, kLogFileName, keptLines, logLines) : 0;
  // A log whose every line was taken back (or written ahead of renames a
  // stopped run never made) records no run: it starts afresh.
  if (logLines == 0) append = false;
  long idsLines = 0;
  const long idsEnd = append ? EndOfIdentityLines(directory, logLines, idsLines) : 0;
  // Lines end in "\n" on every system, so a log reads the same wherever it
  // was written.
  file_ = directory.OpenOwnFile(kLogFileName, append ? "ab" : "wb");
  if (!file_) return errno ? errno : EIO;
  ids_ = directory.OpenOwnFile(kIdsFileName, append ? "ab" : "wb");
  int error = ids_ ? 0 : (errno ? errno : EIO);
  if (!error && append) {
    error = Files().CutBack(file_, logEnd);
    if (!error) error = Files().CutBack(ids_, idsEnd);
    // A log older than its identities, or whose identities were lost, has
    // lines no identity is known for.
    for (long line = idsLines; !error && line < logLines; ++line) {
      if (std::fprintf(ids_, "%s\n", IdentityLine(nullptr).c_str()) < 0) error = errno ? errno : EIO;
    }
  } else if (!error && std::fprintf(ids_, "%s\n", HeaderLine(header()).c_str()) < 0) {
    error = errno ? errno : EIO;
  }
  if (!error && std::fflush(ids_) != 0) error = errno ? errno : EIO;
  if (error) Close();
  return error;
}

RenameLogFile::Mark RenameLogFile::End() const { return {std::ftell(file_), std::ftell(ids_)}; }

bool RenameLogFile::Record(const char* oldName, const char* newName, const FileIdentity* identity, bool flush) {
  lastLine_ = End();
  bool written = std::fprintf(ids_, "%s\n", IdentityLine(identity).c_str()) >= 0 &&
                 WriteLogLine(file_, directoryText_.c_str(), oldName, newName) >= 0;
  if (written && flush) written = std::fflush(ids_) == 0 && std::fflush(file_) == 0;
  if (!written) TakeBack();
  return written;
}

void RenameLogFile::TakeBack() {
  CutBackTo(lastLine_);
  lastLine_ = Mark();
}

void RenameLogFile::CutBackTo(Mark mark) {
  if (mark.log < 0) return;
  std::clearerr(file_);
  std::clearerr(ids_);
  // Where the files cannot be cut back (a failing disk), the lines stay and
  // undo passes over them: their renames never happened.
  Files().CutBack(file_, mark.log);
  Files().CutBack(ids_, mark.ids);
}

int RenameLogFile::MakeDurable() {
  if (const int error = Files().SyncFile(ids_)) return error;
  if (const int error = Files().SyncFile(file_)) return error;
  if (created_) {
    if (const int error = directory_->Sync()) return error;
    created_ = false;
  }
  return 0;
}

void RenameLogFile::Close() {
  if (file_) std::fclose(file_);
  if (ids_) std::fclose(ids_);
  file_ = nullptr;
  ids_ = nullptr;
}
