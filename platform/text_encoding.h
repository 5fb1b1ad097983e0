// The encodings of Chinese TeX sources. Sources are GBK (code page 936) or
// UTF-8; one rule tells them apart, so that every program that reads a
// source (the converter, the editor) decides the same way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mox::platform {

// The rule: text that is valid UTF-8 and has a byte above 127 is UTF-8;
// anything else (plain ASCII included) is GBK. A UTF-8 byte order mark
// counts as UTF-8. Portable: the same code on every platform.
bool IsUtf8Text(std::string_view bytes);

// Converts UTF-8 text to GBK. True when every character has a GBK code;
// otherwise false, `gbk` holds the conversion of the part before the
// failing character and `failed_at` is the byte offset of that character
// in `utf8` (a character GBK lacks, or bytes that are no valid UTF-8).
// iconv's CP936 natively, WideCharToMultiByte with code page 936 on
// Windows, so both give the bytes Windows programs read.
bool Utf8ToGbk(std::string_view utf8, std::string& gbk, std::size_t& failed_at);

}  // namespace mox::platform
