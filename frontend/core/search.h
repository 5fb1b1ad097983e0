// The find routines of the editor (the Search unit): a search in both
// directions, with or without case and as whole words, that accepts a
// match only where whole characters begin and end, so that the trail byte
// of a Chinese character is never taken for a letter. One search serves
// GBK bytes and the UTF-16 units of a window's text: the window's text is
// searched as it is, with no conversion through any code page, so every
// character can be found, those GBK lacks included.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mox::varelo {

// The options of the find and replace dialogs.
struct SearchOptions {
  bool Down = true;
  bool MatchCase = false;
  bool WholeWord = false;
};

inline constexpr std::ptrdiff_t kNotFound = -1;

// WordBreakChars: every byte but the ASCII letters and digits.
bool IsWordBreakByte(unsigned char byte);

// Where the characters of GBK text begin: one flag a byte, plus one for the
// end (always set). A lead byte (0x81 to 0xFE) followed by a trail byte
// (0x40 to 0xFE but 0x7F) is one character; every other byte is one.
std::vector<bool> GbkCharacterStarts(std::string_view text);

// FindInBuffer: the byte position of `text` in `buffer`, searched from the
// selection (sel_start, sel_length bytes) down or up, or kNotFound.
// `starts` tells where the buffer's characters begin (GbkCharacterStarts,
// or the characters of a window's text); a match must begin and end at
// one. Without MatchCase only the ASCII letters of single-byte characters
// are compared without case; the bytes of double-byte characters always
// compare exactly. The bytes of double-byte characters are word-break
// bytes, whatever their value.
std::ptrdiff_t FindInBuffer(std::string_view buffer, const std::vector<bool>& starts,
                            std::ptrdiff_t sel_start, std::ptrdiff_t sel_length,
                            std::string_view text, const SearchOptions& options);
std::ptrdiff_t FindInBuffer(std::string_view buffer, std::ptrdiff_t sel_start,
                            std::ptrdiff_t sel_length, std::string_view text,
                            const SearchOptions& options);

// FindInBuffer on UTF-16 text, positions in units: a character is a unit
// or a surrogate pair, and only ASCII letters compare without case or
// make words, as in GBK text.
std::ptrdiff_t FindInText(std::u16string_view text, std::ptrdiff_t sel_start,
                          std::ptrdiff_t sel_length, std::u16string_view what,
                          const SearchOptions& options);

// The replace step's test: whether the selection is the find text, with
// the ASCII letters of single-byte characters compared without case.
bool SameTextIgnoringCase(std::string_view selection, std::string_view text);
bool SameTextIgnoringCase(std::u16string_view selection, std::u16string_view text);

}  // namespace mox::varelo
