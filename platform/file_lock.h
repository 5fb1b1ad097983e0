// A file that a running program holds so that others know it runs: taken
// when the program starts, given up when it ends (also when the system
// ends it), and asked about by other programs.
#pragma once

#include <memory>
#include <string>

namespace mox::platform {

class FileLock {
 public:
  virtual ~FileLock() = default;
};

// Makes the file (GBK path) if need be and holds it for as long as the
// lock lives; null when another program holds it or it cannot be made.
std::unique_ptr<FileLock> TakeFileLock(const std::string& path);

// Whether a program holds the file (a file that does not exist is free).
bool IsFileLocked(const std::string& path);

}  // namespace mox::platform
