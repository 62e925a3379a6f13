#include <string>
#include <vector>

#include "cli/TarvineRenumber.h"
#include "platform/os/ProgramArguments.h"

int main(int argc, char** argv) {
  // The arguments as UTF-8, whatever the system's code page.
  std::vector<std::string> arguments = ProgramArguments(argc, argv);
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  return RunTarvineRenumber(static_cast<int>(arguments.size()), pointers.data());
}
