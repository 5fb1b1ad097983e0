// Making PK fonts the document lacks: the previewer starts the generator
// MAKEPK.EXE beside itself once per load run and waits for the user's OK.
#pragma once

#include <string>

namespace mox {

// 0 when the generator was started and the user confirmed it finished; 1
// when it could not be started (after a message).
int RunPkGenerator();

// The generator's command line (its path, then
// " -C -E -Q -R%0.2lfx%0.2lf -M%ld -P%s %s").
std::string PkGeneratorCommandLine(const std::string& pk_path_template);

// A path as the generator gets it: absolute, "\\" turned into "/", "." and
// ".." resolved; current_directory completes a relative one (the current
// directory of the path's drive on Windows).
std::string AbsoluteForwardPath(const std::string& path, const std::string& current_directory);

}  // namespace mox
