// The test support's system calls on POSIX.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/support/FileLinks.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestSystem.h"

void SetEnvironment(const char* name, const char* value) {
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

bool MakeHardLink(const std::string& existing, const std::string& name) {
  return link(existing.c_str(), name.c_str()) == 0;
}

bool MakeSymbolicLink(const std::string& target, const std::string& name) {
  return symlink(target.c_str(), name.c_str()) == 0;
}

bool MakePipeEntry(const std::string& name) { return mkfifo(name.c_str(), 0644) == 0; }

bool RunningUnderWine() { return false; }
