// The line format of the assistant's and the phrases' data files: GBK text,
// one entry a line, the first 18 bytes a description padded with spaces,
// the rest the text to insert (its trailing spaces do not count).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mox::varelo {

inline constexpr std::size_t kDescriptionBytes = 18;

// The file's lines without their line ends (CR LF, or LF alone); a last line
// without a line end counts, an empty end of the file does not.
std::vector<std::string_view> SplitDataLines(std::string_view bytes);

// Bytes of the line that are its description: 18, or 17 when the 18th byte
// begins a Chinese character, which then belongs to the text whole; the
// whole line when it is shorter.
std::size_t DescriptionLength(std::string_view line);

// The text without its trailing spaces.
std::string_view WithoutTrailingSpaces(std::string_view text);

// A description as the file holds it: cut to at most 18 bytes without
// splitting a Chinese character, then padded with spaces to 18.
std::string FixedDescription(std::string_view description);

}  // namespace mox::varelo
