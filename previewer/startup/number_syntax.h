// The number forms the options and the dialogs accept. None of them depends
// on the C locale, and none reads hexadecimal, "inf" or "nan".
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace mox {

// The white space of option texts: space, tab, LF, VT, FF and CR.
bool IsOptionSpace(char c);

struct ScannedNumber {
  double Value = 0.0;
  std::size_t End = 0;  // index of the separator, or the text's length
};

// The number of "-R" and "-^": optional spaces, an optional "-", digits with
// at most one point (at least one digit or point), optional spaces, then
// `separator` or the end of the text ('\0' accepts only the end). Nothing
// when the text does not have this form.
std::optional<ScannedNumber> ScanOptionNumber(std::string_view text, char separator);

// A decimal integer as atol reads it: leading white space, an optional sign,
// digits; whatever follows is ignored and text without digits reads as 0.
// Values beyond the 32-bit range are clamped to it.
std::int32_t ReadDecimalInt(std::string_view text);

// The value of the longest prefix that is a plain decimal floating-point
// number (leading white space, sign, digits, point and digits, exponent);
// 0 when there is none. Overflow gives the largest finite value.
double ParseDecimalPrefix(std::string_view text);

}  // namespace mox
