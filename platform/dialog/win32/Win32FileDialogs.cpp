#include "platform/dialog/win32/Win32FileDialogs.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/dialog/win32/DialogText.h"

namespace {

// The dialog's filter: "|" stands for the NULs between and after its parts.
//   "JPEG Files (*.jpg)|*.jpg||" => L"JPEG Files (*.jpg)\0*.jpg\0\0"
std::wstring FilterOf(const char* filter) {
  std::wstring wide = WideDialogText(filter);
  for (wchar_t& unit : wide) {
    if (unit == L'|') unit = L'\0';
  }
  wide.append(2, L'\0');
  return wide;
}

}  // namespace

bool Win32FileDialogs::Choose(const FileDialogRequest& request, std::string& chosenPath) {
  std::wstring file(32768, L'\0');  // room for a long path
  const std::wstring initialName = WideDialogText(request.fileName);
  initialName.copy(file.data(), std::min(initialName.size(), file.size() - 1));
  const std::wstring filter = FilterOf(request.filter);
  const std::wstring directory = WideDialogText(request.initialDirectory);
  const std::wstring extension = WideDialogText(request.defaultExtension);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = request.filter ? filter.c_str() : nullptr;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (request.flags & FileDialogFlag::kHideReadOnly) dialog.Flags |= OFN_HIDEREADONLY;
  if (request.flags & FileDialogFlag::kOverwritePrompt) dialog.Flags |= OFN_OVERWRITEPROMPT;
  if (request.openDialog) dialog.Flags |= OFN_FILEMUSTEXIST;
  const BOOL chosen = request.openDialog ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
  if (!chosen) return false;

  const int bytes = WideCharToMultiByte(CP_UTF8, 0, file.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string path(static_cast<size_t>(bytes > 0 ? bytes : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, file.c_str(), -1, path.data(), bytes, nullptr, nullptr);
  path.resize(std::strlen(path.c_str()));
  chosenPath = path;
  return true;
}

void InitializeWindowSystem() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}
