// How the options environment variable and the lines of the initialization
// file fall apart into option tokens. The writer of the initialization file
// reads the old file the same way, so it keeps exactly what the reader sees.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace mox {

// Longer tokens are cut after this many bytes; the rest is the next token.
inline constexpr std::size_t kOptionTokenLimit = 255;
// A file line is read in pieces of at most this many bytes; the rest of a
// longer line is read as if it were a line of its own.
inline constexpr std::size_t kOptionLineLimit = 2047;

// The white-space separated tokens of text; white space between double
// quotes does not separate (the quotes stay in the token).
std::vector<std::string> SplitOptionTokens(std::string_view text);

// A value without the double quotes round it, if it has them.
inline std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Reads the next piece of a line into piece: up to and including the line
// feed, or kOptionLineLimit bytes, whichever comes first. Text after a NUL
// byte in the piece is dropped. False at the end of the file or on a read
// error.
bool ReadOptionLine(std::FILE* file, std::string& piece);

// A line (piece) whose first character is "%" holds no options.
inline bool IsCommentLine(std::string_view line) {
  return !line.empty() && line.front() == '%';
}

}  // namespace mox
