// The argument vector of the process, kept as it came (argument 0 is the
// full path of the program file) for the option reader and the messages
// that name the program.
#pragma once

#include <string>
#include <vector>

namespace mox {

void StoreProgramArguments(std::vector<std::string> arguments);
const std::vector<std::string>& ProgramArguments();

}  // namespace mox
