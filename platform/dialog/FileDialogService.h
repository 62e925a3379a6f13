#pragma once
// The window system's file-open dialog, behind a seam like the file
// services: the Qt program puts its dialog in force at start; without a
// window system every choice is cancelled; tests answer as a user would.

#include <cstdint>
#include <string>

struct FileDialogRequest {
  bool openDialog;               // Open, else Save As
  const char* defaultExtension;  // added when the user types none; may be null
  const char* fileName;          // initial name; may be null
  uint32_t flags;                // kHideReadOnly, kOverwritePrompt
  // Pairs of description and pattern, each followed by "|", and one more "|":
  //   "JPEG Files (*.jpg)|*.jpg|All Files (*.*)|*.*||"
  // A pattern may list several, separated by ";". On Linux "*.*" stands for
  // every file and "*.exe" for every executable program.
  const char* filter;
  const char* initialDirectory;
};

namespace FileDialogFlag {
constexpr uint32_t kHideReadOnly = 0x4;
constexpr uint32_t kOverwritePrompt = 0x2;
}  // namespace FileDialogFlag

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // Shows the dialog modally; true with the chosen file's full path, false
  // when the user cancelled.
  virtual bool Choose(const FileDialogRequest& request, std::string& chosenPath) = 0;
};

// The file dialog in force.
FileDialogService& FileDialogs();

// Puts `replacement` in force for the guard's lifetime (guards nest).
class ScopedFileDialogs {
 public:
  explicit ScopedFileDialogs(FileDialogService& replacement);
  ~ScopedFileDialogs();
  ScopedFileDialogs(const ScopedFileDialogs&) = delete;
  ScopedFileDialogs& operator=(const ScopedFileDialogs&) = delete;

 private:
  FileDialogService* previous_;
};
