#pragma once
// Makes a directory the current one for a guard's lifetime.

#include <unistd.h>

#include <string>

class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::string& directory) {
    char previous[4096];
    if (getcwd(previous, sizeof previous)) previous_ = previous;
    if (chdir(directory.c_str()) != 0) previous_.clear();
  }
  ~ScopedWorkingDirectory() {
    if (!previous_.empty() && chdir(previous_.c_str()) != 0) {
    }
  }
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

 private:
  std::string previous_;
};
