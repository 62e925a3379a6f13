#pragma once
// A fresh directory for each test, removed with everything in it afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/os/PathSeparators.h"

// A directory of the system's temporary folder that did not exist before,
// named `prefix` and six random letters; empty when none could be made.
inline std::filesystem::path MakeTemporaryDirectory(const std::string& prefix) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix;
    for (int i = 0; i < 6; ++i) name += static_cast<char>('a' + random() % 26);
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::error_code error;
    if (std::filesystem::create_directory(path, error)) return path;
  }
  return {};
}

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = MakeTemporaryDirectory("tarvine-test-");
    ASSERT_FALSE(root_.empty());
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  // The directory with its trailing separator ("/", "\\" on Windows), as the
  // program's directory texts end.
  std::string Dir() const { return root_.string() + PreferredSeparator(); }
  std::string PathOf(const std::string& name) const { return Dir() + name; }

  void Touch(const std::string& name, const std::string& content = "") const {
    std::ofstream(PathOf(name), std::ios::binary) << content;
  }
  void TouchAll(const std::vector<std::string>& names) const {
    for (const auto& name : names) Touch(name, "content of " + name);
  }
  void MakeDir(const std::string& name) const { std::filesystem::create_directory(PathOf(name)); }

  std::string Read(const std::string& name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // The directory's entry names, sorted by bytes.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::filesystem::path root_;
};
