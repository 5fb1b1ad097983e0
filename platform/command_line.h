// The arguments of the process as GBK text, argument 0 being the path of the
// program file. On Windows they are read from the wide command line (so
// Chinese paths survive any code page) and argument 0 is the program file's
// full path, for console and window programs alike (argc and argv are not
// used); elsewhere argv is taken as given.
#pragma once

#include <string>
#include <vector>

namespace mox::platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace mox::platform
