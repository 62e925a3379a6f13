#pragma once
// Makes a directory the current one for a guard's lifetime.

#include <filesystem>
#include <string>
#include <system_error>

class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::string& directory) {
    std::error_code error;
    previous_ = std::filesystem::current_path(error);
    std::filesystem::current_path(directory, error);
    if (error) previous_.clear();
  }
  ~ScopedWorkingDirectory() {
    std::error_code ignored;
    if (!previous_.empty()) std::filesystem::current_path(previous_, ignored);
  }
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};
