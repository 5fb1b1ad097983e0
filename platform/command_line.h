// The arguments of a console program as GBK text, argument 0 being the path
// of the program file. On Windows they are read from the wide command line
// (so Chinese paths survive any code page); elsewhere argv is taken as given.
#pragma once

#include <string>
#include <vector>

namespace mox::platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace mox::platform
