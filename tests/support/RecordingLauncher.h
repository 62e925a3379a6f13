#pragma once
// A program launcher that only records what it was asked to start.

#include <string>
#include <vector>

#include "platform/ProgramLauncher.h"

class RecordingLauncher : public ProgramLauncher {
 public:
  struct Started {
    std::string program;
    std::string argument;
  };
  void Start(const char* program, const char* argument) override { started.push_back({program, argument}); }
  std::vector<Started> started;
};
