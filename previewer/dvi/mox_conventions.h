// The conventions of MOX documents that the scanner reads: colours and fill
// patterns of "COLOR=" specials, ziti letters, and the Chinese code of a pair.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "previewer/base/bilingual.h"
#include "previewer/base/page_item.h"

namespace mox {

// Whether text begins with prefix, comparing ASCII letters without case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// The colour item of the text after "COLOR=": a colour number n >= 0; -1
// with two values (a pair); -2 with up to 8 values (an 8 by 8 fill pattern,
// repeated from the first value when fewer are given). Nothing otherwise.
std::optional<PageItem> ParseColorSpecial(std::string_view text);

inline constexpr std::uint32_t kColorPair = 32768;
inline constexpr std::uint32_t kColorPattern = 32769;

// The type-face letters "@" (0) to "Z" (26), saved and restored on a stack
// of 16 by "?" and ">".
struct ZitiState {
  static constexpr int kStackDepth = 16;
  int Current = 0;
  std::array<std::uint8_t, kStackDepth> Saved{};
  int Depth = 0;
};
// Applies one letter; a full or empty stack and letters outside "@".."Z"
// (either case) abort the document operation.
// The messages are in `language`.
void ApplyZitiLetter(ZitiState& ziti, int letter, Language language);

// Where a Chinese character goes: its font slot and index within the slot.
struct ChineseCode {
  int Slot;
  std::int32_t Index;
};
// The code of a pair of bytes (each a GB 2312 row or cell + 32) under the
// document's three boundaries; nothing for an invalid code.
std::optional<ChineseCode> DecodeChineseCode(int first, int second, int ziti,
                                             std::int32_t boundary1, std::int32_t boundary2,
                                             std::int32_t boundary3);

}  // namespace mox
