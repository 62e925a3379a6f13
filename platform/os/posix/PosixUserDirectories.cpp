// The user's directories on a POSIX system: getpwuid_r and mkdir.

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/os/UserDirectories.h"

std::string AccountHomeDirectory() {
  const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 1024);
  passwd entry{};
  passwd* found = nullptr;
  int error;
  // A long entry (many groups' worth of text) needs a larger buffer.
  while ((error = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE &&
         buffer.size() < (1u << 20)) {
    buffer.resize(buffer.size() * 2);
  }
  if (error != 0 || !found || !found->pw_dir) return "";
  return found->pw_dir;
}

int MakePrivateDirectories(const std::string& directory) {
  if (directory.empty()) return ENOENT;
  // From the top down, each directory on the way: one that exists stays as
  // it is, mode and all.
  for (size_t end = directory.find('/', 1);; end = directory.find('/', end + 1)) {
    const std::string step = directory.substr(0, end);
    if (!step.empty() && step.back() != '/' && mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    if (end == std::string::npos) break;
  }
  struct stat made;
  if (stat(directory.c_str(), &made) != 0) return errno;
  return S_ISDIR(made.st_mode) ? 0 : ENOTDIR;
}

std::string SystemSettingsDirectory() { return ""; }

std::string ProgramsDirectory() { return "/usr/bin/"; }

std::string DefaultBrowseDirectory() {
  const char* home = std::getenv("HOME");
  std::string directory = home && *home ? home : "/";
  if (directory.back() != '/') directory += '/';
  return directory;
}
