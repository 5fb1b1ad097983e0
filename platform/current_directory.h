// The current directory a relative path is taken from, as GBK text.
#pragma once

#include <string>

namespace mox::platform {

// The current directory for path: on Windows the current directory of the
// path's drive when it begins with a drive letter and ":" (each drive has
// its own), else of the current drive; natively the process's. Separators
// are the platform's; there is no trailing separator except after a root.
std::string CurrentDirectoryFor(const std::string& path);

}  // namespace mox::platform
