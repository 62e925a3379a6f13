#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/ChildProcess.h"

namespace {

int OpenOrNothing(const std::string& path) {
  return open(path.empty() ? "/dev/null" : path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& directory, const std::string& outPath, const std::string& errPath) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(directory.c_str()) != 0) _exit(126);
    dup2(open("/dev/null", O_RDONLY), 0);
    dup2(OpenOrNothing(outPath), 1);
    dup2(OpenOrNothing(errPath), 2);
    execv(argv[0], argv.data());
    _exit(127);
  }
  process_ = child;
}

ChildProcess::~ChildProcess() {
  if (!waited_ && process_ > 0) {
    Kill();
    Wait();
  }
}

void ChildProcess::Kill() {
  if (process_ > 0 && !waited_) kill(static_cast<pid_t>(process_), SIGKILL);
}

int ChildProcess::Wait() {
  if (waited_ || process_ <= 0) return status_;
  int status = 0;
  waitpid(static_cast<pid_t>(process_), &status, 0);
  waited_ = true;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return status_;
}
