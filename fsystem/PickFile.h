#pragma once
// The file-open dialog with an initial directory of the caller's choice.
// Lives for one modal showing: construct, DoModal, GetPathName.

#include <cstdint>
#include <string>

class DialogWindow;

class PickFile {
 public:
  // `initialDirectory` is kept by pointer, not copied: it must stay valid
  // until the dialog has closed. `parent` may be null.
  PickFile(bool openDialog, const char* defaultExtension, const char* fileName, uint32_t flags, const char* filter,
           DialogWindow* parent, const char* initialDirectory);

  // 1 (OK) when the user chose a file, 2 (Cancel) otherwise.
  int DoModal();
  // The chosen file's full path; empty before a choice.
  const std::string& GetPathName() const { return pathName_; }

 private:
  bool openDialog_;
  const char* defaultExtension_;
  const char* fileName_;
  uint32_t flags_;
  const char* filter_;
  const char* initialDirectory_;
  std::string pathName_;
};
