// Running a command-line program of the host system to its end, with a time
// limit: what MAKEPK needs to run TeX's mktexpk. The Windows build takes a
// Windows program found on the search path; under Wine, a name that is no
// Windows program is run as a Unix program of the system Wine runs on.
#pragma once

#include <string>
#include <vector>

namespace mox::platform {

// One argument; a path (GBK, of this program's file system) is handed to a
// Unix program under Wine as its Unix path.
struct HostArgument {
  std::string Text;
  bool IsPath = false;
};

struct HostRun {
  enum class Outcome { Finished, NotStarted, TimedOut };
  Outcome Result = Outcome::NotStarted;
  int ExitCode = -1;    // when finished
  std::string Output;   // all of standard output
  std::string Errors;   // all of standard error
};

// Runs arguments[0] (looked up on the search path when it has no folder)
// in working_directory, an existing folder where the run keeps its files
// (names beginning "host-run"), with no input. Waits for it at most
// timeout_seconds; a program still running then is ended with the programs
// it started.
HostRun RunHostProgram(const std::vector<HostArgument>& arguments,
                       const std::string& working_directory, int timeout_seconds);

}  // namespace mox::platform
