#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/os/ProgramLauncher.h"

const char kDefaultViewer[] = "xdg-open";

namespace {

// In the grandchild: detach from the caller's terminal and pipes, then
// become the program. Only async-signal-safe calls after fork. Where exec
// fails, its errno goes up `report`, which exec would have closed.
[[noreturn]] void BecomeProgram(const char* program, const char* argument, int report) {
  const int devNull = open("/dev/null", O_RDWR);
  if (devNull >= 0) {
    dup2(devNull, STDIN_FILENO);
    dup2(devNull, STDOUT_FILENO);
    dup2(devNull, STDERR_FILENO);
  }
  // Every descriptor but the report's goes, so the program holds none of
  // the caller's (a run lock among them).
  if (report > 3) close_range(3, static_cast<unsigned>(report) - 1, 0);
  close_range(static_cast<unsigned>(report) + 1, ~0U, 0);
  char* const arguments[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
  execvp(program, arguments);
  const int error = errno;
  (void)!write(report, &error, sizeof error);
  _exit(127);
}

}  // namespace

int PosixProgramLauncher::Start(const char* program, const char* argument) {
  // The grandchild reports a failed exec through this pipe; a successful
  // exec closes it (O_CLOEXEC), which reads as the end of the pipe.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return errno;
  // Forking twice hands the program to init, which reaps it: the caller
  // waits only for the short-lived middle child.
  const pid_t child = fork();
  if (child < 0) {
    const int error = errno;
    close(report[0]);
    close(report[1]);
    return error;
  }
  if (child == 0) {
    close(report[0]);
    setsid();
    const pid_t grandchild = fork();
    if (grandchild == 0) BecomeProgram(program, argument, report[1]);
    if (grandchild < 0) {
      const int error = errno;
      (void)!write(report[1], &error, sizeof error);
    }
    _exit(0);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got;
  while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

ProgramLauncher& SystemLauncher() {
  static PosixProgramLauncher launcher;
  return launcher;
}
