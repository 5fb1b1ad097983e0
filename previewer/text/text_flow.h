// How characters in reading order become plain text: a space where the
// pen moves right between them by more than a fraction of the font's quad
// (an interword space; kerns and italic corrections stay below it), a
// line break where the baseline moves by more than sub- and superscripts
// do, or moves at all while the pen goes back to the left.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "previewer/text/page_text.h"

namespace mox {

enum class Separation { None, Space, LineBreak };

// What stands between two characters that follow each other.
Separation SeparationBetween(const TextCharacter& before, const TextCharacter& after);

// Whether two baselines belong to one line, for fonts of the given quad.
bool SameLine(std::int32_t v, std::int32_t other_v, std::int32_t quad);

// Plain text as code points, with the character each came from: -1 for
// the spaces and line breaks put between characters.
struct TextFlow {
  std::u32string Text;
  std::vector<int> CharacterOf;
};

// The flow of the characters `chosen` (indices into `characters`, in
// increasing order); lines end with "\n" and the last one too.
TextFlow FlowOf(std::span<const TextCharacter> characters, std::span<const int> chosen);
// The flow of every character of the page.
TextFlow FlowOf(const PageText& page);

// The code points of UTF-8 text; a byte that starts no valid sequence
// becomes U+FFFD.
std::u32string Utf32Of(std::string_view utf8);

// UTF-8 of code points (a surrogate or a value beyond Unicode becomes
// U+FFFD).
std::string Utf8Of(std::u32string_view text);

}  // namespace mox
