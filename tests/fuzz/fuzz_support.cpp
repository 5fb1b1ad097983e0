#include "tests/fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace mox::fuzz {

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("moxfuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }();
  return folder;
}

std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path path = std::filesystem::path(ScratchFolder()) / name;
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  return path.string();
}

}  // namespace mox::fuzz
