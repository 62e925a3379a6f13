#pragma once
// A fresh directory for each test, removed with everything in it afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvine-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  // The directory with its trailing "/", as the program's directory texts end.
  std::string Dir() const { return root_.string() + "/"; }
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
