// Starting another program without waiting for it, as WinExec does.
#pragma once

#include <string>

namespace mox::platform {

// What WinExec gives when the program was started (any value above 31 means
// started).
inline constexpr int kProgramStarted = 33;

// Runs command_line (program path and its arguments, GBK; arguments are
// split as Windows splits them: blanks separate, double quotes group) with
// the given Win32 show mode, without waiting for it. Returns WinExec's
// result: kProgramStarted, or below 32 the reason it did not start: 0 out of
// resources, 2 program not found (or natively not executable), 3 path not
// found, 5 access denied, 11 not a valid program.
int StartProgramCode(const std::string& command_line, int show_mode);

// Whether StartProgramCode started the program.
inline bool StartProgram(const std::string& command_line, int show_mode) {
  return StartProgramCode(command_line, show_mode) >= 32;
}

}  // namespace mox::platform
