// Stepping through GBK text a character at a time: a lead byte (0x81 to
// 0xFE) and the trail byte after it (0x40 to 0xFE but 0x7F) are one
// character, so a trail byte with the code of '\\', '{' or '%' is never
// taken for that sign.
#pragma once

#include <cstddef>
#include <string_view>

namespace mox::varelo {

// The bytes of the character that begins at `at` (1 or 2).
inline std::size_t GbkCharLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x81 || lead == 0xFF || at + 1 >= text.size()) return 1;
  const auto trail = static_cast<unsigned char>(text[at + 1]);
  return trail >= 0x40 && trail <= 0xFE && trail != 0x7F ? 2 : 1;
}

inline bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace mox::varelo
