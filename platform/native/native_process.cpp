#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/process.h"

extern char** environ;

namespace mox::platform {

bool StartProgram(const std::string& command_line, int /*show_mode*/) {
  // An intermediate child starts the program and exits at once, so the
  // program is never our child and needs no waiting for.
  int status_pipe[2];
  if (::pipe(status_pipe) != 0) return false;
  const pid_t middle = ::fork();
  if (middle < 0) {
    ::close(status_pipe[0]);
    ::close(status_pipe[1]);
    return false;
  }
  if (middle == 0) {
    ::close(status_pipe[0]);
    const char* argv[] = {"/bin/sh", "-c", command_line.c_str(), nullptr};
    pid_t pid;
    const int rc = ::posix_spawn(&pid, "/bin/sh", nullptr, nullptr,
                                 const_cast<char**>(argv), environ);
    const char ok = rc == 0 ? 1 : 0;
    (void)!::write(status_pipe[1], &ok, 1);
    ::_exit(0);
  }
  ::close(status_pipe[1]);
  char ok = 0;
  const bool got = ::read(status_pipe[0], &ok, 1) == 1;
  ::close(status_pipe[0]);
  int status = 0;
  ::waitpid(middle, &status, 0);
  return got && ok == 1;
}

}  // namespace mox::platform
