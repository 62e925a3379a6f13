#pragma once
// A temporary directory of N empty files named like a camera dump
// (IMG_000001.jpg ...), created in shuffled order so the directory's own
// order is not name order; removed with everything in it on destruction.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

class CameraDumpDirectory {
 public:
  explicit CameraDumpDirectory(int fileCount) {
    std::string templateText = (std::filesystem::temp_directory_path() / "tarvine-micro-XXXXXX").string();
    path_ = mkdtemp(templateText.data());
    for (const std::string& name : ShuffledNames(fileCount)) {
      const int fd = open((path_ + "/" + name).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
      if (fd >= 0) close(fd);
    }
  }
  ~CameraDumpDirectory() { std::filesystem::remove_all(path_); }
  CameraDumpDirectory(const CameraDumpDirectory&) = delete;
  CameraDumpDirectory& operator=(const CameraDumpDirectory&) = delete;

  // The directory with a trailing "/", as FileList::Load takes it.
  std::string DirectoryText() const { return path_ + "/"; }

  // IMG_000001.jpg ... in a fixed shuffled order (the same on every run).
  static std::vector<std::string> ShuffledNames(int fileCount) {
    std::vector<std::string> names;
    names.reserve(fileCount);
    char name[32];
    for (int number = 1; number <= fileCount; ++number) {
      std::snprintf(name, sizeof name, "IMG_%06d.jpg", number);
      names.emplace_back(name);
    }
    std::shuffle(names.begin(), names.end(), std::mt19937(20240601));
    return names;
  }

 private:
  std::string path_;
};
