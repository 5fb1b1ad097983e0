#include "tests/fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace mox::fuzz {

std::string WriteScratchFile(const char* suffix, const std::uint8_t* data, std::size_t size) {
  static const std::string folder = [] {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("moxfuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }();
  const std::string path = folder + "/input" + suffix;
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  return path;
}

}  // namespace mox::fuzz
