// printf-style formatting into std::string, and cutting GBK text to a byte
// limit without splitting a double-byte character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mox {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Whether a byte begins a double-byte GBK character (the next byte is its
// second half, which may have the code of an ASCII character).
inline bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// Shortens text to at most max_bytes bytes; a double-byte GBK character that
// would be cut in half is dropped whole.
void TruncateGbk(std::string& text, std::size_t max_bytes);

// Position of the last single-byte character of text that is one of chars,
// or npos. Trail bytes of double-byte GBK characters never match, so a
// '\\' (0x5C) inside a Chinese name is not taken for a path separator.
std::size_t FindLastOfGbk(std::string_view text, std::string_view chars);

// Replaces every single-byte character from by to, leaving the bytes of
// double-byte GBK characters alone.
void ReplaceGbk(std::string& text, char from, char to);

}  // namespace mox
