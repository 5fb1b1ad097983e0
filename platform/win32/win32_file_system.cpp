#include <windows.h>

#include <cstdio>

#include "platform/file_system.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {
namespace {

class Win32FileSystem final : public FileSystem {
 public:
  std::FILE* Open(const std::string& path, const char* mode) override {
    return _wfopen(Widen(path).c_str(), Widen(mode).c_str());
  }
  bool Remove(const std::string& path) override {
    return DeleteFileW(Widen(path).c_str()) != 0;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return MoveFileW(Widen(from).c_str(), Widen(to).c_str()) != 0;
  }
  bool Exists(const std::string& path) override {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
};

}  // namespace

FileSystem& SystemFiles() {
  static Win32FileSystem fs;
  return fs;
}

bool SeekFile(std::FILE* file, std::uint64_t offset, int origin) {
  return _fseeki64(file, static_cast<long long>(offset), origin) == 0;
}

std::int64_t TellFile(std::FILE* file) { return _ftelli64(file); }

}  // namespace mox::platform
