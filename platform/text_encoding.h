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
// The length of the valid UTF-8 sequence at `at` (1 for ASCII), or 0 when
// the bytes there begin none.
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t at);

// Converts UTF-8 text to GBK. True when every character has a GBK code;
// otherwise false, `gbk` holds the conversion of the part before the
// failing character and `failed_at` is the byte offset of that character
// in `utf8` (a character GBK lacks, or bytes that are no valid UTF-8).
// iconv's CP936 natively, WideCharToMultiByte with code page 936 on
// Windows, so both give the bytes Windows programs read.
bool Utf8ToGbk(std::string_view utf8, std::string& gbk, std::size_t& failed_at);

// One character of code page 936 as the system converts it: the character
// that one byte (count 1) or a lead and a trail byte (count 2) stand for,
// or 0 when they stand for none. Every character of code page 936 lies in
// the Basic Multilingual Plane.
char16_t SystemGbkDecode(const unsigned char* bytes, int count);
// The bytes the system writes for a character (1 or 2, stored in bytes),
// or 0 when code page 936 has no code for it (look-alikes refused).
int SystemGbkEncode(char16_t character, unsigned char bytes[2]);

// Text between GBK bytes and UTF-16, the form windows take, such that the
// bytes come back unchanged (portable; tables made once from the two
// functions above, so both directions agree with the system).
//
// Bytes that are no character of code page 936 (a lone lead byte, an
// undefined pair, 0xFF) and NUL, which no window text can hold, become
// U+F700 plus the byte: characters of the Private Use Area that code page
// 936 never produces, so EncodeGbk turns them back into the same bytes.
inline constexpr char16_t kByteEscapeBase = 0xF700;
std::u16string DecodeGbk(std::string_view gbk);
// True when every character has a GBK code (or is an escape); otherwise
// false, `gbk` holds the bytes of the characters before the failing one
// and `failed_at` is its index in `text`.
bool EncodeGbk(std::u16string_view text, std::string& gbk, std::size_t& failed_at);

// GB18030 and UTF-16, for file names and the texts of windows, which may
// hold any character: GBK as above, and every character GBK lacks in its
// GB18030 code (from the program's own tables, not the system's code page
// 54936): four bytes, or two where GB18030 filled a place the system's
// GBK leaves empty. So GBK bytes read as they always did. A GB18030 code
// of a character that the system's GBK has is no code (kept as escaped
// bytes), so that bytes still come back unchanged. EncodeGb18030 fails,
// with the index as EncodeGbk, only at a surrogate outside a pair.
std::u16string DecodeGb18030(std::string_view bytes);
bool EncodeGb18030(std::u16string_view text, std::string& bytes, std::size_t& failed_at);

// UTF-8 and UTF-16. DecodeUtf8 expects valid UTF-8 (IsUtf8Text) and turns
// a byte that starts no valid sequence into U+FFFD. EncodeUtf8 fails, with
// the index as EncodeGbk, at a surrogate that is not part of a pair.
std::u16string DecodeUtf8(std::string_view utf8);
bool EncodeUtf8(std::u16string_view text, std::string& utf8, std::size_t& failed_at);

}  // namespace mox::platform
