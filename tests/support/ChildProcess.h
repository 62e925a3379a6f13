#pragma once
// Another process running a built program, as the command-line, kill and
// race tests start it: in a chosen directory, with nothing on its standard
// input, its output and errors into files or nowhere.

#include <cstdint>
#include <string>
#include <vector>

class ChildProcess {
 public:
  // Starts `program` with `arguments` in `directory`. `outPath` and
  // `errPath` receive its standard output and errors; empty: discarded.
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments, const std::string& directory,
               const std::string& outPath = "", const std::string& errPath = "");
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Ends the process at once, as a kill -9 or a power cut would.
  void Kill();
  // Waits for the end: the exit status, or -1 when the process was killed
  // or could not be started.
  int Wait();

 private:
  intptr_t process_ = -1;  // the pid, or the process's handle
  bool killed_ = false;
  bool waited_ = false;
  int status_ = -1;
};

// Runs the program to its end: its exit status, as ChildProcess::Wait.
inline int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& directory, const std::string& outPath = "",
                      const std::string& errPath = "") {
  return ChildProcess(program, arguments, directory, outPath, errPath).Wait();
}
