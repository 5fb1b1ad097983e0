#include <unistd.h>

#include <string>

#include "platform/current_directory.h"

namespace mox::platform {

std::string CurrentDirectoryFor(const std::string& /*path*/) {
  std::string directory(256, '\0');
  while (::getcwd(directory.data(), directory.size()) == nullptr) {
    if (directory.size() > (1u << 20)) return ".";
    directory.resize(directory.size() * 2);
  }
  directory.resize(directory.find('\0'));
  return directory;
}

}  // namespace mox::platform
