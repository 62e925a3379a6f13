#pragma once
// A program launcher that only records what it was asked to start.

#include <string>
#include <vector>

#include "platform/os/ProgramLauncher.h"

class RecordingLauncher : public ProgramLauncher {
 public:
  struct Started {
    std::string program;
    std::string argument;
  };
  int Start(const char* program, const char* argument) override {
    started.push_back({program, argument});
    return failWith;
  }
  std::vector<Started> started;
  int failWith = 0;  // what Start reports: 0, or the errno value of a program that cannot start
};
