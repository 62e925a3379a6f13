#pragma once
// Windows reports failures with its own error codes; the program speaks
// errno values, so its messages read alike on every system.

#include <cstdint>

// The errno value for a Win32 error code (GetLastError):
//   ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND => ENOENT
//   ERROR_ACCESS_DENIED                        => EACCES
//   ERROR_SHARING_VIOLATION                    => EBUSY  (open in another program)
//   ERROR_ALREADY_EXISTS, ERROR_FILE_EXISTS    => EEXIST
//   ERROR_NOT_SAME_DEVICE                      => EXDEV
//   ERROR_DISK_FULL                            => ENOSPC
//   ERROR_FILENAME_EXCED_RANGE                 => ENAMETOOLONG
//   anything not known                         => EIO
int ErrnoOf(uint32_t win32Error);

// ErrnoOf(GetLastError()).
int LastErrno();
