// A stand-in viewer for the tests: writes the number of its arguments and
// each argument on a line of its own into the file that
// TARVINE_ARGUMENT_RECORD names, whole or not at all (written aside, then
// renamed), and ends.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/os/ProgramArguments.h"

int main(int argc, char** argv) {
  const char* record = std::getenv("TARVINE_ARGUMENT_RECORD");
  if (!record) return 2;
  const std::vector<std::string> arguments = ProgramArguments(argc, argv);
  const std::string aside = std::string(record) + ".tmp";
  FILE* file = std::fopen(aside.c_str(), "wb");
  if (!file) return 1;
  std::fprintf(file, "%zu\n", arguments.size() - 1);
  for (size_t i = 1; i < arguments.size(); ++i) std::fprintf(file, "%s\n", arguments[i].c_str());
  std::fclose(file);
  return std::rename(aside.c_str(), record) == 0 ? 0 : 1;
}
