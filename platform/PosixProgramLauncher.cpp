#include <fcntl.h>
#include <cerrno>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/ProgramLauncher.h"

namespace {

// In the grandchild: detach from the caller's terminal and pipes, then
// become the program. Only async-signal-safe calls after fork.
[[noreturn]] void BecomeProgram(const char* program, const char* argument) {
  const int devNull = open("/dev/null", O_RDWR);
  if (devNull >= 0) {
    dup2(devNull, STDIN_FILENO);
    dup2(devNull, STDOUT_FILENO);
    dup2(devNull, STDERR_FILENO);
  }
  close_range(3, ~0U, 0);
  char* const arguments[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
  execvp(program, arguments);
  _exit(127);
}

}  // namespace

void PosixProgramLauncher::Start(const char* program, const char* argument) {
  // Forking twice hands the program to init, which reaps it: the caller
  // waits only for the short-lived middle child.
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    setsid();
    const pid_t grandchild = fork();
    if (grandchild == 0) BecomeProgram(program, argument);
    _exit(0);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

ProgramLauncher& SystemLauncher() {
  static PosixProgramLauncher launcher;
  return launcher;
}
