// Starting another program without waiting for it, as WinExec does; or
// running one to its end for what it prints.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
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

// The same, run in `working_folder` (empty: this program's current folder).
int StartProgramCodeIn(const std::string& command_line, const std::string& working_folder,
                       int show_mode);

// Whether StartProgramCode started the program.
inline bool StartProgram(const std::string& command_line, int show_mode) {
  return StartProgramCode(command_line, show_mode) >= 32;
}

// A program started to be waited for: whether it has ended is asked without
// blocking, so that a window can keep painting and offer to stop it.
class WaitedProgram {
 public:
  virtual ~WaitedProgram() = default;
  virtual bool HasEnded() = 0;
  // Ends the program and, as far as the system allows, what it started.
  virtual void Stop() = 0;
};

// Starts command_line as StartProgramCode does and gives its code in
// `code`; null when the program did not start. Natively its standard output
// goes to standard error. Destroying a program that
// has not ended stops it.
std::unique_ptr<WaitedProgram> StartWaitedProgram(const std::string& command_line,
                                                  int show_mode, int& code);

// A program started to be watched until it ends, as an editor watches the
// TeX run it started: unlike a WaitedProgram it runs on when the watch is
// dropped, and a program it starts (a previewer) is not waited for.
class WatchedProgram {
 public:
  virtual ~WatchedProgram() = default;
  virtual bool HasEnded() = 0;
  // What a message loop can wait on besides messages: the process handle
  // on Windows; null natively, where HasEnded is asked.
  virtual void* EndSignal() const = 0;
};

// Starts command_line in working_folder (empty: this program's current
// folder) as StartProgramCodeIn does and gives its code in `code`; null
// when the program did not start.
std::unique_ptr<WatchedProgram> StartWatchedProgram(const std::string& command_line,
                                                    const std::string& working_folder,
                                                    int show_mode, int& code);

struct ProgramOutput {
  int ExitCode = 0;
  std::string Output;  // standard output, as the program wrote it
};

// Runs command_line (split as StartProgramCode splits it; a bare program
// name is looked up on PATH, on Windows with ".exe"), with no window, its
// standard input empty and its standard error discarded, and waits at most
// timeout_ms for it to end. Nothing when it did not start, or did not end
// in time (it is then stopped, with what it started). Output beyond
// output_limit bytes is dropped.
std::optional<ProgramOutput> RunProgramForOutput(const std::string& command_line, int timeout_ms,
                                                 std::size_t output_limit);

}  // namespace mox::platform
