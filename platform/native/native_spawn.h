// What the native ways of starting a program share: the command line split
// into arguments as Windows splits it, and the reason a program cannot start.
#pragma once

#include <spawn.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace mox::platform {

// The arguments of a command line: blanks separate, double quotes group.
std::vector<std::string> SplitCommandLine(const std::string& line);

// The WinExec code of a program that cannot start (2 not found or not
// executable, 3 its folder missing), or 0 when it can; a name without a
// folder is looked up on PATH.
int ProgramProblem(const std::string& program);

// Starts argv (null-ended; argv[0] looked up on PATH) with the file
// actions, in a process group of its own so that stopping it stops what it
// started. posix_spawnp's result; pid is set when it is 0.
int SpawnInOwnGroup(pid_t& pid, char* const* argv, const posix_spawn_file_actions_t& actions);

}  // namespace mox::platform
