#include "platform/os/win32/Win32FileServices.h"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cwchar>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

#include "platform/os/DirectorySearch.h"
#include "platform/os/win32/SystemPath.h"
#include "platform/os/win32/Win32Errors.h"
#include "platform/os/win32/Win32FileAt.h"
#include "platform/os/win32/WideText.h"
#include "platform/os/UserDirectories.h"

std::vector<DirEntry> Win32FileServices::Search(const char* searchText, EntryDetail detail) {
  return SearchDirectory(searchText, detail);
}

PackedNames Win32FileServices::SearchNames(const char* searchText) { return SearchDirectoryNames(searchText); }

int Win32FileServices::Exists(const char* path) { return ExistsAt(SystemPath(path)); }

int Win32FileServices::Rename(const char* from, const char* to) {
  return RenameNoReplaceAt(SystemPath(from), SystemPath(to));
}

FILE* Win32FileServices::Open(const char* path, const char* mode) {
  const std::wstring systemPath = SystemPath(path);
  if (systemPath.empty()) {
    errno = ENOENT;
    return nullptr;
  }
  return _wfopen(systemPath.c_str(), Widen(mode).c_str());
}

FILE* Win32FileServices::OpenOwnFile(const char* path, const char* mode) {
  const std::wstring systemPath = SystemPath(path);
  if (systemPath.empty()) {
    errno = ENOENT;
    return nullptr;
  }
  return OpenOwnFileAt(systemPath, mode);
}

namespace {

// Writes all of `text` to `file`. 0 or the errno value of the failure.
int WriteWhole(HANDLE file, const std::string& text) {
  for (size_t done = 0; done < text.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, text.data() + done, chunk, &written, nullptr)) return LastErrno();
    done += written;
  }
  return 0;
}

}  // namespace

int Win32FileServices::ReplaceFileContents(const char* path, const std::string& text) {
  const std::wstring target = SystemPath(path);
  if (target.empty()) return ENOENT;
  // A name of our own beside the file, taken only when free (CREATE_NEW), so
  // a planted name there is never written through either.
  std::wstring newFile;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; file == INVALID_HANDLE_VALUE && attempt < 100; ++attempt) {
    newFile = target + L".new-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt);
    file = CreateFileW(newFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
      return LastErrno();
    }
  }
  if (file == INVALID_HANDLE_VALUE) return EEXIST;
  int error = WriteWhole(file, text);
  if (!error && !FlushFileBuffers(file)) error = LastErrno();
  if (!CloseHandle(file) && !error) error = LastErrno();
  // Whatever bore the name, a link included, is replaced, never written through.
  if (!error && !MoveFileExW(newFile.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = LastErrno();
  }
  if (error) DeleteFileW(newFile.c_str());
  return error;
}

int Win32FileServices::Remove(const char* path) { return RemoveAt(SystemPath(path)); }

int Win32FileServices::SameFile(const char* a, const char* b) { return SameFileAt(SystemPath(a), SystemPath(b)); }

int Win32FileServices::CutBack(FILE* file, long length) {
  if (std::fflush(file) != 0) std::clearerr(file);
  if (_chsize(_fileno(file), length) != 0) return errno;
  return std::fseek(file, length, SEEK_SET) == 0 ? 0 : errno;
}

int Win32FileServices::SyncFile(FILE* file) {
  if (std::fflush(file) != 0) return errno ? errno : EIO;
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  if (handle == INVALID_HANDLE_VALUE) return EBADF;
  return FlushFileBuffers(handle) ? 0 : LastErrno();
}

int Win32FileServices::Identify(const char* path, FileIdentity& identity) {
  return IdentifyAt(SystemPath(path), identity);
}

int Win32FileServices::MakePrivateDirectories(const std::string& directory) {
  return ::MakePrivateDirectories(directory);
}

int Win32FileServices::IsDirectory(const char* path) {
  const std::wstring systemPath = SystemPath(path);
  if (systemPath.empty()) return 0;
  const DWORD attributes = GetFileAttributesW(systemPath.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
}

namespace {

// Whether a text is one name of a directory: no separator, no ":" (a
// drive, or a stream of another file), not "." or "..".
bool IsBareName(const char* name) {
  if (!*name || std::string_view(name) == "." || std::string_view(name) == "..") return false;
  return std::string_view(name).find_first_of("\\/:") == std::string_view::npos;
}

// The run locks this process holds, by the name of their mutex: a mutex is
// its owner thread's to take again, but a second run here must be refused
// as one in another process is.
std::mutex heldLocksGuard;
std::set<std::wstring> heldLocks;

// A run directory held open by a handle that shares reading and writing but
// not deletion, so the directory cannot be renamed, removed or swapped for
// a link while the run lasts; its lock is a named mutex of the directory's
// identity (volume serial number and file index), which the system lets go
// when the process ends, however it ends (an abandoned mutex).
class Win32RunDirectory : public RunDirectory {
 public:
  Win32RunDirectory(HANDLE directory, HANDLE lock, std::wstring lockName, std::wstring path)
      : directory_(directory), lock_(lock), lockName_(std::move(lockName)), path_(std::move(path)) {}
  ~Win32RunDirectory() override {
    {
      std::lock_guard<std::mutex> guard(heldLocksGuard);
      heldLocks.erase(lockName_);
    }
    ReleaseMutex(lock_);
    CloseHandle(lock_);
    CloseHandle(directory_);
  }

  int Exists(const char* name) override { return IsBareName(name) ? ExistsAt(PathOf(name)) : 0; }
  int Rename(const char* from, const char* to) override {
    return IsBareName(from) && IsBareName(to) ? RenameNoReplaceAt(PathOf(from), PathOf(to)) : EINVAL;
  }
  FILE* OpenOwnFile(const char* name, const char* mode) override {
    if (IsBareName(name)) return OpenOwnFileAt(PathOf(name), mode);
    errno = EINVAL;
    return nullptr;
  }
  int Remove(const char* name) override { return IsBareName(name) ? RemoveAt(PathOf(name)) : EINVAL; }
  int SameFile(const char* a, const char* b) override {
    return IsBareName(a) && IsBareName(b) ? SameFileAt(PathOf(a), PathOf(b)) : 0;
  }
  int Identify(const char* name, FileIdentity& identity) override {
    return IsBareName(name) ? IdentifyAt(PathOf(name), identity) : EINVAL;
  }
  int Sync() override { return SyncDirectoryAt(path_); }

 private:
  // The name put after the directory as it is: the system rewrites nothing
  // after "\\?\".
  std::wstring PathOf(const char* name) const { return path_ + Widen(name); }

  HANDLE directory_;
  HANDLE lock_;
  std::wstring lockName_;
  std::wstring path_;  // the directory's system path, ending in "\"
};

// The lock's name: one per directory, however its path is written.
std::wstring LockNameOf(const BY_HANDLE_FILE_INFORMATION& info) {
  wchar_t name[96];
  std::swprintf(name, sizeof name / sizeof name[0], L"Local\\Tarvine run directory %08lx-%08lx%08lx",
                static_cast<unsigned long>(info.dwVolumeSerialNumber), static_cast<unsigned long>(info.nFileIndexHigh),
                static_cast<unsigned long>(info.nFileIndexLow));
  return name;
}

// Takes the named run lock without waiting: 0, EWOULDBLOCK, or why not.
int TakeLock(const std::wstring& lockName, HANDLE& lock) {
  lock = CreateMutexW(nullptr, FALSE, lockName.c_str());
  if (!lock) return LastErrno();
  const DWORD waited = WaitForSingleObject(lock, 0);
  // WAIT_ABANDONED: the run that held it ended without letting it go (it
  // was killed); the lock is ours now.
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
    std::lock_guard<std::mutex> guard(heldLocksGuard);
    if (heldLocks.insert(lockName).second) return 0;
    ReleaseMutex(lock);
  }
  CloseHandle(lock);
  lock = nullptr;
  return EWOULDBLOCK;
}

}  // namespace

int Win32FileServices::OpenRunDirectory(const char* directory, std::unique_ptr<RunDirectory>& opened) {
  const std::wstring path = SystemDirectoryPath(directory);
  HANDLE handle = CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                              nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastErrno();
  BY_HANDLE_FILE_INFORMATION info;
  int error = GetFileInformationByHandle(handle, &info) ? 0 : LastErrno();
  if (!error && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) error = ENOTDIR;
  HANDLE lock = nullptr;
  const std::wstring lockName = error ? L"" : LockNameOf(info);
  if (!error) error = TakeLock(lockName, lock);
  if (error) {
    CloseHandle(handle);
    return error;
  }
  opened = std::make_unique<Win32RunDirectory>(handle, lock, lockName, path);
  return 0;
}

FileServices& SystemFileServices() {
  static Win32FileServices services;
  return services;
}
