#include "previewer/fonts/font_file_bytes.h"

#include <cstdio>

#include "platform/file_system.h"

namespace mox {

std::optional<std::vector<std::uint8_t>> ReadFontFileBytes(const std::string& path,
                                                            std::size_t limit) {
  platform::FilePtr file = platform::OpenFile(path, "rb");
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  std::uint8_t block[8192];
  for (;;) {
    const std::size_t got = std::fread(block, 1, sizeof block, file.get());
    if (got == 0) break;
    if (bytes.size() + got > limit) return std::nullopt;
    bytes.insert(bytes.end(), block, block + got);
  }
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

}  // namespace mox
