#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "platform/file_system.h"

namespace mox::platform {
namespace {

class NativeFileSystem final : public FileSystem {
 public:
  std::FILE* Open(const std::string& path, const char* mode) override {
    std::string m;
    for (const char* p = mode; *p != '\0'; ++p) {
      if (*p != 't') m += *p;  // C streams here have no text mode
    }
    return std::fopen(path.c_str(), m.c_str());
  }
  bool Remove(const std::string& path) override {
    return std::remove(path.c_str()) == 0;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    // POSIX rename replaces `to`; keep the Windows rule that it must not exist.
    if (Exists(to)) return false;
    return std::rename(from.c_str(), to.c_str()) == 0;
  }
  bool Exists(const std::string& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
  }
};

}  // namespace

FileSystem& SystemFiles() {
  static NativeFileSystem fs;
  return fs;
}

bool SeekFile(std::FILE* file, std::uint64_t offset, int origin) {
  return std::fseek(file, static_cast<long>(offset), origin) == 0;
}

std::int64_t TellFile(std::FILE* file) { return std::ftell(file); }

}  // namespace mox::platform
