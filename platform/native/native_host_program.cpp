#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "platform/host_program.h"

namespace mox::platform {
namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

HostRun RunHostProgram(const std::vector<HostArgument>& arguments,
                       const std::string& working_directory, int timeout_seconds) {
  HostRun run;
  if (arguments.empty()) return run;
  std::vector<char*> argv;
  for (const HostArgument& argument : arguments) argv.push_back(const_cast<char*>(argument.Text.c_str()));
  argv.push_back(nullptr);
  const std::string output_path = working_directory + "/host-run.out";
  const std::string errors_path = working_directory + "/host-run.err";

  // The child reports a failed exec through this pipe; a successful exec
  // closes it unseen.
  int exec_pipe[2];
  if (::pipe2(exec_pipe, O_CLOEXEC) != 0) return run;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(exec_pipe[0]);
    ::close(exec_pipe[1]);
    return run;
  }
  if (child == 0) {
    // A process group of its own, so that a timeout ends what it started.
    ::setpgid(0, 0);
    int error = 0;
    const int input = ::open("/dev/null", O_RDONLY);
    const int output = ::open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int errors = ::open(errors_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (input < 0 || output < 0 || errors < 0 || ::chdir(working_directory.c_str()) != 0 ||
        ::dup2(input, 0) < 0 || ::dup2(output, 1) < 0 || ::dup2(errors, 2) < 0) {
      error = errno;
    } else {
      ::execvp(argv[0], argv.data());
      error = errno;
    }
    (void)!::write(exec_pipe[1], &error, sizeof error);
    ::_exit(127);
  }
  ::setpgid(child, child);
  ::close(exec_pipe[1]);
  int exec_error = 0;
  const bool failed = ::read(exec_pipe[0], &exec_error, sizeof exec_error) == sizeof exec_error;
  ::close(exec_pipe[0]);

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(child, &status, WNOHANG);
    if (done == child || (done < 0 && errno != EINTR)) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(-child, SIGKILL);
      ::waitpid(child, &status, 0);
      run.Result = HostRun::Outcome::TimedOut;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  run.Output = ReadWhole(output_path);
  run.Errors = ReadWhole(errors_path);
  if (failed) {
    run.Result = HostRun::Outcome::NotStarted;
  } else if (run.Result != HostRun::Outcome::TimedOut) {
    run.Result = HostRun::Outcome::Finished;
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  return run;
}

}  // namespace mox::platform
