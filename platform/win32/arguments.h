// The process arguments as GBK text, argument 0 being the full path of the
// program file (as the option reader expects), whatever the caller typed.
#pragma once

#include <string>
#include <vector>

namespace mox::platform {

std::vector<std::string> ProgramArguments();

}  // namespace mox::platform
