#include "fsystem/PickFile.h"

#include "platform/dialog/DialogWindow.h"
#include "platform/dialog/FileDialogService.h"

PickFile::PickFile(bool openDialog, const char* defaultExtension, const char* fileName, uint32_t flags,
                   const char* filter, DialogWindow* /*parent: the dialog service owns its window*/,
                   const char* initialDirectory)
    : openDialog_(openDialog),
      defaultExtension_(defaultExtension),
      fileName_(fileName),
      flags_(flags),
      filter_(filter),
      initialDirectory_(initialDirectory) {}

int PickFile::DoModal() {
  const FileDialogRequest request{openDialog_, defaultExtension_, fileName_, flags_, filter_, initialDirectory_};
  return FileDialogs().Choose(request, pathName_) ? kIdOk : kIdCancel;
}
