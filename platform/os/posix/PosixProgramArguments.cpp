#include "platform/os/ProgramArguments.h"

std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv, argv + argc}; }
