#include "platform/os/win32/Win32FileAt.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <cwchar>

#include "platform/os/win32/Win32Errors.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A symbolic link, a junction, a mount point: a reparse point that stands
// for another name. Others (a cloud file's placeholder, a deduplicated
// file) are the file itself.
bool IsNameSurrogate(HANDLE file) {
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(file, FileAttributeTagInfo, &tag, sizeof tag)) return true;
  return (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(tag.ReparseTag);
}

// Why an opened handle is no file of the program's own, or 0 when it is one.
int OwnFileProblem(HANDLE file) {
  if (GetFileType(file) != FILE_TYPE_DISK) return EINVAL;  // a device, a pipe, the console
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) return LastErrno();
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsNameSurrogate(file)) return ELOOP;
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return EISDIR;
  // Emptying or writing it would change the file's other names too.
  if (info.nNumberOfLinks > 1) return EMLINK;
  return 0;
}

// The file's identity: its volume and its index there.
bool IdentityOf(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
  HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool known = GetFileInformationByHandle(file, &info) != 0;
  CloseHandle(file);
  return known;
}

}  // namespace

int ExistsAt(const std::wstring& path) {
  if (path.empty()) return 0;
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return 1;
  // A file another program holds without sharing (a page file) still exists.
  return GetLastError() == ERROR_SHARING_VIOLATION ? 1 : 0;
}

int RenameNoReplaceAt(const std::wstring& from, const std::wstring& to) {
  if (from.empty() || to.empty()) return ENOENT;
  // MoveFileExW never replaces another file without
  // MOVEFILE_REPLACE_EXISTING, but it does "rename" a file onto its own
  // name, its own name in another case of letters or its own short name:
  // those names are taken too, so the test comes first.
  if (ExistsAt(to)) return EEXIST;
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : LastErrno();
}

FILE* OpenOwnFileAt(const std::wstring& path, const char* mode) {
  const bool reading = mode[0] == 'r';
  const bool appending = mode[0] == 'a';
  // FILE_FLAG_OPEN_REPARSE_POINT: a link planted under the name is opened
  // itself, never followed, and refused below.
  HANDLE file = CreateFileW(path.c_str(), reading ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE, kShareAll,
                            nullptr, reading ? OPEN_EXISTING : OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    // A directory cannot be opened as a file at all.
    errno = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? EISDIR : ErrnoOf(error);
    return nullptr;
  }
  int error = OwnFileProblem(file);
  if (!error && mode[0] == 'w' && !SetEndOfFile(file)) error = LastErrno();  // emptied only now
  if (error) {
    CloseHandle(file);
    errno = error;
    return nullptr;
  }
  const bool binary = std::strchr(mode, 'b') != nullptr;
  const int flags = (reading ? _O_RDONLY : _O_RDWR | (appending ? _O_APPEND : 0)) | (binary ? _O_BINARY : _O_TEXT);
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), flags);
  if (fd < 0) {
    CloseHandle(file);
    errno = EMFILE;
    return nullptr;
  }
  FILE* stream = _fdopen(fd, mode);
  if (!stream) {
    const int failure = errno;
    _close(fd);
    errno = failure;
  }
  return stream;
}

int SameFileAt(const std::wstring& a, const std::wstring& b) {
  BY_HANDLE_FILE_INFORMATION first, second;
  if (!IdentityOf(a, first) || !IdentityOf(b, second)) return 0;
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
                 first.nFileIndexLow == second.nFileIndexLow
             ? 1
             : 0;
}

int RemoveAt(const std::wstring& path) {
  if (path.empty()) return ENOENT;
  return DeleteFileW(path.c_str()) ? 0 : LastErrno();
}

int IdentifyAt(const std::wstring& path, FileIdentity& identity) {
  if (path.empty()) return ENOENT;
  HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastErrno();
  BY_HANDLE_FILE_INFORMATION info;
  wchar_t system[MAX_PATH + 1] = L"";
  int error = GetFileInformationByHandle(file, &info) ? 0 : LastErrno();
  const bool indexKept =
      !error && GetVolumeInformationByHandleW(file, nullptr, 0, nullptr, nullptr, nullptr, system, MAX_PATH + 1) &&
      std::wcscmp(system, L"NTFS") == 0;
  CloseHandle(file);
  if (error) return error;
  identity.size = static_cast<uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
  identity.modified =
      static_cast<int64_t>(static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32 | info.ftLastWriteTime.dwLowDateTime);
  identity.index = indexKept ? static_cast<uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow : 0;
  return 0;
}

int SyncDirectoryAt(const std::wstring& directory) {
  HANDLE handle = CreateFileW(directory.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  DWORD failure = handle == INVALID_HANDLE_VALUE ? GetLastError() : 0;
  if (!failure && !FlushFileBuffers(handle)) failure = GetLastError();
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  if (failure == 0 || failure == ERROR_ACCESS_DENIED || failure == ERROR_INVALID_FUNCTION) return 0;
  return ErrnoOf(failure);
}
