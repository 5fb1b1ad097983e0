#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <signal.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/native/native_spawn.h"
#include "platform/process.h"

extern char** environ;

namespace mox::platform {

// Backslashes are literal unless they stand before a double quote (2n of
// them give n and a quote that groups, 2n + 1 give n and a literal quote).
std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    std::string argument;
    bool quoted = false;
    while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
      if (line[i] == '\\') {
        std::size_t slashes = 0;
        while (i < line.size() && line[i] == '\\') {
          ++slashes;
          ++i;
        }
        if (i < line.size() && line[i] == '"') {
          argument.append(slashes / 2, '\\');
          if (slashes % 2 == 1) {
            argument.push_back('"');
            ++i;
          }
        } else {
          argument.append(slashes, '\\');
        }
      } else if (line[i] == '"') {
        quoted = !quoted;
        ++i;
      } else {
        argument.push_back(line[i++]);
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

int ProgramProblem(const std::string& program) {
  if (program.find('/') != std::string::npos) {
    const std::string directory = program.substr(0, program.rfind('/') + 1);
    struct stat st;
    if (::stat(directory.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return 3;
    return IsExecutableFile(program) ? 0 : 2;
  }
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = folders.find(':', start);
    std::string folder = folders.substr(start, end == std::string::npos ? end : end - start);
    if (folder.empty()) folder = ".";
    folder.append("/").append(program);
    if (IsExecutableFile(folder)) return 0;
    if (end == std::string::npos) return 2;
    start = end + 1;
  }
}

int SpawnInOwnGroup(pid_t& pid, char* const* argv, const posix_spawn_file_actions_t& actions) {
  posix_spawnattr_t attributes;
  ::posix_spawnattr_init(&attributes);
  ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  ::posix_spawnattr_setpgroup(&attributes, 0);
  const int rc = ::posix_spawnp(&pid, argv[0], &actions, &attributes, argv, environ);
  ::posix_spawnattr_destroy(&attributes);
  return rc;
}

namespace {

// The arguments as exec takes them, ended by a null; they live as long as
// `arguments`.
std::vector<char*> ArgumentVector(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  return argv;
}

int CodeOfErrno(int error) {
  switch (error) {
    case ENOENT: return 2;
    case ENOTDIR: return 3;
    case EACCES:
    case EPERM: return 5;
    case ENOEXEC: return 11;
    default: return 0;
  }
}

class NativeWaitedProgram final : public WaitedProgram {
 public:
  explicit NativeWaitedProgram(pid_t pid) : pid_(pid) {}
  ~NativeWaitedProgram() override {
    if (!HasEnded()) Stop();
  }
  bool HasEnded() override {
    if (ended_) return true;
    int status = 0;
    const pid_t got = ::waitpid(pid_, &status, WNOHANG);
    ended_ = got == pid_ || (got < 0 && errno != EINTR);
    return ended_;
  }
  void Stop() override {
    if (ended_) return;
    // The program leads a process group of its own: its children go too.
    ::kill(-pid_, SIGTERM);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    ended_ = true;
  }

 private:
  pid_t pid_;
  bool ended_ = false;
};

}  // namespace

std::unique_ptr<WaitedProgram> StartWaitedProgram(const std::string& command_line,
                                                  int /*show_mode*/, int& code) {
  const std::vector<std::string> arguments = SplitCommandLine(command_line);
  code = arguments.empty() ? 2 : ProgramProblem(arguments[0]);
  if (code != 0) return nullptr;
  std::vector<char*> argv = ArgumentVector(arguments);

  // Natively the program has no window of its own: what it says goes to
  // standard error, leaving standard output to the caller's data.
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
  pid_t pid = 0;
  const int rc = SpawnInOwnGroup(pid, argv.data(), actions);
  ::posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    code = CodeOfErrno(rc);
    return nullptr;
  }
  code = kProgramStarted;
  return std::make_unique<NativeWaitedProgram>(pid);
}

namespace {

class NativeWatchedProgram final : public WatchedProgram {
 public:
  explicit NativeWatchedProgram(pid_t pid) : pid_(pid) {}
  bool HasEnded() override {
    if (ended_) return true;
    int status = 0;
    const pid_t got = ::waitpid(pid_, &status, WNOHANG);
    ended_ = got == pid_ || (got < 0 && errno != EINTR);
    return ended_;
  }
  void* EndSignal() const override { return nullptr; }

 private:
  pid_t pid_;
  bool ended_ = false;
};

}  // namespace

std::unique_ptr<WatchedProgram> StartWatchedProgram(const std::string& command_line,
                                                    const std::string& working_folder,
                                                    int /*show_mode*/, int& code) {
  const std::vector<std::string> arguments = SplitCommandLine(command_line);
  code = arguments.empty() ? 2 : ProgramProblem(arguments[0]);
  if (code != 0) return nullptr;
  struct stat st;
  if (!working_folder.empty() &&
      (::stat(working_folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))) {
    code = 3;  // path not found
    return nullptr;
  }
  std::vector<char*> argv = ArgumentVector(arguments);
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  if (!working_folder.empty()) {
    ::posix_spawn_file_actions_addchdir_np(&actions, working_folder.c_str());
  }
  pid_t pid = 0;
  const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    code = CodeOfErrno(rc);
    return nullptr;
  }
  code = kProgramStarted;
  return std::make_unique<NativeWatchedProgram>(pid);
}

int StartProgramCode(const std::string& command_line, int show_mode) {
  return StartProgramCodeIn(command_line, std::string(), show_mode);
}

int StartProgramCodeIn(const std::string& command_line, const std::string& working_folder,
                       int /*show_mode*/) {
  const std::vector<std::string> arguments = SplitCommandLine(command_line);
  if (arguments.empty()) return 2;
  if (const int problem = ProgramProblem(arguments[0]); problem != 0) return problem;

  std::vector<char*> argv = ArgumentVector(arguments);

  // An intermediate child starts the program and exits at once, so the
  // program is never our child and needs no waiting for.
  int status_pipe[2];
  if (::pipe(status_pipe) != 0) return 0;
  const pid_t middle = ::fork();
  if (middle < 0) {
    ::close(status_pipe[0]);
    ::close(status_pipe[1]);
    return 0;
  }
  if (middle == 0) {
    ::close(status_pipe[0]);
    if (!working_folder.empty() && ::chdir(working_folder.c_str()) != 0) {
      const char code = 3;  // path not found
      (void)!::write(status_pipe[1], &code, 1);
      ::_exit(0);
    }
    pid_t pid;
    const int rc = ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
    const char code = static_cast<char>(rc == 0 ? kProgramStarted : CodeOfErrno(rc));
    (void)!::write(status_pipe[1], &code, 1);
    ::_exit(0);
  }
  ::close(status_pipe[1]);
  char code = 0;
  const bool got = ::read(status_pipe[0], &code, 1) == 1;
  ::close(status_pipe[0]);
  int status = 0;
  ::waitpid(middle, &status, 0);
  return got ? code : 0;
}

}  // namespace mox::platform
