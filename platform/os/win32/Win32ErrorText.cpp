// Windows' C library has words for the oldest errno values only (ELOOP
// reads "Unknown error"), and other words than POSIX systems for some:
// the values the file services give are worded here as on POSIX, so a
// message reads the same on every system.

#include <cerrno>
#include <cstring>

#include "platform/os/ErrorText.h"

std::string SystemReason(int error) {
  switch (error) {
    case EPERM: return "Operation not permitted";
    case ENOENT: return "No such file or directory";
    case EIO: return "Input/output error";
    case ENXIO: return "No such device or address";
    case E2BIG: return "Argument list too long";
    case ENOEXEC: return "Exec format error";
    case EBADF: return "Bad file descriptor";
    case ENOMEM: return "Cannot allocate memory";
    case EACCES: return "Permission denied";
    case EBUSY: return "Device or resource busy";
    case EEXIST: return "File exists";
    case EXDEV: return "Invalid cross-device link";
    case ENOTDIR: return "Not a directory";
    case EISDIR: return "Is a directory";
    case EINVAL: return "Invalid argument";
    case EMFILE: return "Too many open files";
    case ENOSPC: return "No space left on device";
    case EROFS: return "Read-only file system";
    case EMLINK: return "Too many links";
    case ENAMETOOLONG: return "File name too long";
    case ENOTEMPTY: return "Directory not empty";
    case ELOOP: return "Too many levels of symbolic links";
    case EAGAIN:
    case EWOULDBLOCK: return "Resource temporarily unavailable";
    default: return std::strerror(error);
  }
}
