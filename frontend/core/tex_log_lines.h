// The lines of a TeX log as TeX meant them. TeX breaks every line it
// prints once max_print_line bytes are out (79 unless texmf.cnf or the
// environment says otherwise), wherever that falls: inside a file name,
// inside a word, between the two or three bytes of one character. It writes
// bytes it takes for unprintable as ^^xx. The logical lines join the broken
// ones again and turn ^^xx back into the bytes, so that names and messages
// read as the source had them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mox::varelo {

struct LogLine {
  std::string Text;      // joined, ^^xx of bytes 128 to 255 decoded
  std::size_t Number;    // the physical line (from 1) it begins on
  // Where in Text a physical line was joined to the one before: a file
  // name may end right at a break.
  std::vector<std::size_t> Joins;
};

struct LogLines {
  std::vector<LogLine> Lines;
  std::size_t Width = 0;  // the max_print_line the log was written with
};

// The default of TeX Live and MiKTeX.
inline constexpr std::size_t kDefaultLineWidth = 79;

LogLines SplitTexLog(std::string_view log);

// The bytes of text with TeX's ^^xx (two lower-case hex digits, 80 to ff)
// decoded; `joins` (offsets into text, ascending) are moved with them.
std::string DecodeHatHex(std::string_view text, std::vector<std::size_t>* joins = nullptr);

// A file name as TeX printed it: ^^xx as above, and ^^ before a character
// of code 64 to 95 or "?" (TeX's form of the control bytes 0 to 31 and 127)
// as that byte.
std::string DecodeHatName(std::string_view name);

}  // namespace mox::varelo
