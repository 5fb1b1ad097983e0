#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <string>
#include <vector>

#include "platform/native/native_spawn.h"
#include "platform/process.h"

extern char** environ;

namespace mox::platform {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
  const long long left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, INT_MAX));
}

// Reads one block of what is in the pipe, keeping it while there is room;
// false at the end of the output (or on an error, which ends it as well).
bool ReadBlock(int pipe_end, std::string& output, std::size_t limit) {
  char block[4096];
  ssize_t got;
  do {
    got = ::read(pipe_end, block, sizeof block);
  } while (got < 0 && errno == EINTR);
  if (got <= 0) return false;
  const std::size_t room = output.size() < limit ? limit - output.size() : 0;
  output.append(block, std::min(room, static_cast<std::size_t>(got)));
  return true;
}

// Whether the program has ended (waiting for it when asked to), with its exit
// code: 128 and the signal for one a signal ended, -1 where the system
// reaped it for us (SIGCHLD ignored).
bool Reap(pid_t pid, bool wait, int& code) {
  int status = 0;
  pid_t got;
  do {
    got = ::waitpid(pid, &status, wait ? 0 : WNOHANG);
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    code = -1;
    return true;
  }
  if (got != pid) return false;
  code = WIFEXITED(status) ? WEXITSTATUS(status)
                           : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  return true;
}

// Starts the program with its output into write_end, in a process group of
// its own so that a timeout ends what it started as well; 0 when it did not
// start.
pid_t Spawn(const std::vector<std::string>& arguments, int write_end) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_adddup2(&actions, write_end, STDOUT_FILENO);
  ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int rc = SpawnInOwnGroup(pid, argv.data(), actions);
  ::posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : 0;
}

}  // namespace

std::optional<ProgramOutput> RunProgramForOutput(const std::string& command_line, int timeout_ms,
                                                 std::size_t output_limit) {
  const std::vector<std::string> arguments = SplitCommandLine(command_line);
  if (arguments.empty() || ProgramProblem(arguments[0]) != 0) return std::nullopt;
  int pipe_ends[2];
  if (::pipe2(pipe_ends, O_CLOEXEC) != 0) return std::nullopt;
  const pid_t pid = Spawn(arguments, pipe_ends[1]);
  ::close(pipe_ends[1]);
  const int read_end = pipe_ends[0];
  if (pid == 0) {
    ::close(read_end);
    return std::nullopt;
  }

  ProgramOutput result;
  const Clock::time_point deadline =
      Clock::now() + std::chrono::milliseconds(std::max(timeout_ms, 0));
  bool open = true;
  bool ended = false;
  for (;;) {
    if (!ended) ended = Reap(pid, false, result.ExitCode);
    if (ended) {
      // What it wrote before it ended is in the pipe; a program it started
      // may hold the pipe open, so only what is there now is read.
      pollfd ready{read_end, POLLIN, 0};
      if (open && ::poll(&ready, 1, 0) > 0) {
        open = ReadBlock(read_end, result.Output, output_limit);
        continue;
      }
      break;
    }
    const int left = MillisecondsLeft(deadline);
    if (left == 0) {
      ::kill(-pid, SIGKILL);
      Reap(pid, true, result.ExitCode);
      ::close(read_end);
      return std::nullopt;
    }
    // Short slices, so that the end is seen while the pipe stays quiet.
    pollfd ready{read_end, POLLIN, 0};
    const int got = ::poll(open ? &ready : nullptr, open ? 1 : 0, std::min(left, open ? 20 : 5));
    if (open && got > 0) open = ReadBlock(read_end, result.Output, output_limit);
  }
  ::close(read_end);
  return result;
}

}  // namespace mox::platform
