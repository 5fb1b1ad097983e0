// What the native ways of starting a program share: the command line split
// into arguments as Windows splits it, and the reason a program cannot start.
#pragma once

#include <string>
#include <vector>

namespace mox::platform {

// The arguments of a command line: blanks separate, double quotes group.
std::vector<std::string> SplitCommandLine(const std::string& line);

// The WinExec code of a program that cannot start (2 not found or not
// executable, 3 its folder missing), or 0 when it can; a name without a
// folder is looked up on PATH.
int ProgramProblem(const std::string& program);

}  // namespace mox::platform
