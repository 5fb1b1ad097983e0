// Reading a small font file (TFM, VF) whole: these files are a few
// kilobytes, and a parser over bytes in memory cannot read past an end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mox {

// The largest metric or virtual font file read: the biggest of TeX Live's
// are under 200 KB; anything far larger is not such a file.
inline constexpr std::size_t kFontFileLimit = 4u << 20;

// The file's bytes, or nothing when it cannot be opened or read, or is
// larger than `limit`.
std::optional<std::vector<std::uint8_t>> ReadFontFileBytes(const std::string& path,
                                                            std::size_t limit = kFontFileLimit);

}  // namespace mox
