// Turns a Chinese TeX source into TeX input: every Chinese character of the
// GB 2312 set becomes \moxcc{B1}{B2}, the two bytes (row + 32 and cell + 32)
// of the "ccfnt" fonts written as numbers, since they include TeX's special
// characters. Every other character of GBK, and from a UTF-8 source also
// the CJK ideographs of Extension A and the compatibility ideographs,
// becomes \moxuc{H}{L}: the high and low byte of its Unicode value, the two
// characters of the "moxuc" fonts. Everything else stays as it is, and line
// n of the output is line n of the source, so that TeX's line numbers point
// into the source.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mox::tool {

struct ConversionOptions {
  // Codes for a DVI file whose comment carries the Mer2Dvi mark: the
  // character rows 16 to 87 are written five rows higher (B1 + 5), the
  // symbol rows 1 to 15 as they are.
  bool Mer2Dvi = false;
};

// Why a character of the source has no code.
enum class ProblemKind {
  PrivateUse,   // a GBK code of a user-defined area (Unicode's private use)
  NoChineseFont,  // a UTF-8 character that no Chinese font has
  BrokenBytes,  // a GBK lead byte without a valid second byte
  // Bytes that are no UTF-8 in a source that is UTF-8 everywhere else: a
  // file damaged, or GBK text pasted into UTF-8. Nothing is converted.
  InvalidUtf8,
};

struct SourceProblem {
  ProblemKind Kind;
  std::size_t Line;    // from 1
  std::size_t Column;  // from 1, in characters
  // The character: its GBK bytes when it has them (to show it), and for a
  // UTF-8 source its Unicode value.
  std::string Gbk;
  char32_t CodePoint = 0;
};

struct ConversionResult {
  std::string Text;  // the TeX input; meaningful only without problems
  std::vector<SourceProblem> Problems;
  bool Utf8 = false;  // the source was read as UTF-8
};

// The places of a source that is UTF-8 but for some bytes: the bytes that
// are no UTF-8, each a problem with its line and column (a byte that
// begins no sequence is one column). Empty for valid UTF-8, and for a GBK
// source (in which a valid UTF-8 sequence now and then is chance: fewer
// than four of them a bad byte).
std::vector<SourceProblem> BrokenUtf8Places(std::string_view source);

// The names of the macros that set one Chinese character: of GB 2312, and
// of the characters beyond it.
inline constexpr std::string_view kCharacterMacro = "\\moxcc";
inline constexpr std::string_view kUnicodeCharacterMacro = "\\moxuc";

ConversionResult ConvertSource(std::string_view source, const ConversionOptions& options);

// Whether the GBK code b1 b2 (both 0xA1..0xFE) is a character of GB 2312.
bool IsGb2312(unsigned char b1, unsigned char b2);

// Whether a character of a UTF-8 source that GBK lacks has a Chinese font
// all the same: the ideographs of CJK Extension A (U+3400 to U+4DBF) and
// the compatibility ideographs (U+F900 to U+FAFF).
bool IsBeyondGbkIdeograph(char32_t character);

}  // namespace mox::tool
