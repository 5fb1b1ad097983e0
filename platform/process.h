// Starting another program without waiting for it, as WinExec does.
#pragma once

#include <string>

namespace mox::platform {

// Runs command_line (program path and its arguments, GBK) with the given
// Win32 show mode. Returns true when the program was started.
bool StartProgram(const std::string& command_line, int show_mode);

}  // namespace mox::platform
