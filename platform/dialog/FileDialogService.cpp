#include "platform/dialog/FileDialogService.h"

namespace {

// Without a window system nobody can choose: every dialog is cancelled.
class NoFileDialogs : public FileDialogService {
 public:
  bool Choose(const FileDialogRequest&, std::string&) override { return false; }
};

FileDialogService* inForce = nullptr;

}  // namespace

FileDialogService& FileDialogs() {
  static NoFileDialogs none;
  return inForce ? *inForce : none;
}

ScopedFileDialogs::ScopedFileDialogs(FileDialogService& replacement) : previous_(inForce) { inForce = &replacement; }

ScopedFileDialogs::~ScopedFileDialogs() { inForce = previous_; }
