#pragma once
// The documents the viewer tests expect, kept byte for byte in tests/data/viewer.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

inline std::string ExpectedFile(const std::string& name) {
  std::ifstream in(std::string(TARVINE_VIEWER_TEST_DATA) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << "missing expected file " << name;
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}
