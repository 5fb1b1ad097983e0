// The words and numbers of the specials LaTeX writes for dvips: blank
// separated, numbers as PostScript writes them.
#pragma once

#include <optional>
#include <string_view>

namespace mox {

// The text without the blanks (space, tab, line ends) at either end.
std::string_view TrimSpecialBlanks(std::string_view text);

// Takes the next word (the characters up to a blank) off the front of text,
// after the blanks before it; an empty view when only blanks are left.
std::string_view TakeSpecialWord(std::string_view& text);

// A number that is the whole of text, as PostScript writes one: an optional
// sign, digits with at most one point (at least one digit), an optional
// exponent ("e" or "E", optional sign, digits). Nothing for anything else;
// a value too large for a double is the largest finite one.
std::optional<double> ParseSpecialNumber(std::string_view text);

}  // namespace mox
