#include "previewer/startup/number_syntax.h"

#include <charconv>
#include <limits>

namespace mox {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpaces(std::string_view text, std::size_t i) {
  while (i < text.size() && IsOptionSpace(text[i])) ++i;
  return i;
}

// Whether a decimal number whose conversion was out of range is too large
// (rather than too small): the position of its first non-zero digit relative
// to the point, plus the exponent, gives the power of ten of its magnitude.
bool IsOverflow(std::string_view mantissa, long long exponent) {
  long long power = 0;
  bool before_point = true;
  bool seen_non_zero = false;
  for (const char c : mantissa) {
    if (c == '.') {
      before_point = false;
    } else if (before_point) {
      if (seen_non_zero || c != '0') {
        seen_non_zero = true;
        ++power;
      }
    } else if (!seen_non_zero) {
      if (c != '0') {
        seen_non_zero = true;
      } else {
        --power;
      }
    }
  }
  return power + exponent > 0;
}

}  // namespace

bool IsOptionSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::optional<ScannedNumber> ScanOptionNumber(std::string_view text, char separator) {
  std::size_t i = SkipSpaces(text, 0);
  const std::size_t start = i;
  if (i < text.size() && text[i] == '-') ++i;
  bool have_point = false;
  bool have_mantissa = false;
  while (i < text.size() && (IsDigit(text[i]) || (text[i] == '.' && !have_point))) {
    if (text[i] == '.') have_point = true;
    have_mantissa = true;
    ++i;
  }
  if (!have_mantissa) return std::nullopt;
  const double value = ParseDecimalPrefix(text.substr(start, i - start));
  i = SkipSpaces(text, i);
  if (i < text.size() && (separator == '\0' || text[i] != separator)) {
    return std::nullopt;
  }
  return ScannedNumber{value, i};
}

std::int32_t ReadDecimalInt(std::string_view text) {
  constexpr long long kMax = std::numeric_limits<std::int32_t>::max();
  constexpr long long kMin = std::numeric_limits<std::int32_t>::min();
  std::size_t i = SkipSpaces(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  long long magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    // Past the 32-bit range the value is clamped anyway; stop growing.
    if (magnitude <= kMax + 1) magnitude = magnitude * 10 + (text[i] - '0');
  }
  const long long value = negative ? -magnitude : magnitude;
  if (value > kMax) return static_cast<std::int32_t>(kMax);
  if (value < kMin) return static_cast<std::int32_t>(kMin);
  return static_cast<std::int32_t>(value);
}

double ParseDecimalPrefix(std::string_view text) {
  std::size_t i = SkipSpaces(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t start = i;
  bool have_digit = false;
  while (i < text.size() && IsDigit(text[i])) {
    have_digit = true;
    ++i;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      have_digit = true;
      ++i;
    }
  }
  if (!have_digit) return 0.0;
  const std::size_t mantissa_end = i;
  std::size_t end = mantissa_end;
  long long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool exponent_negative = false;
    if (j < text.size() && (text[j] == '-' || text[j] == '+')) {
      exponent_negative = text[j] == '-';
      ++j;
    }
    if (j < text.size() && IsDigit(text[j])) {
      for (; j < text.size() && IsDigit(text[j]); ++j) {
        if (exponent < 1000000) exponent = exponent * 10 + (text[j] - '0');
      }
      if (exponent_negative) exponent = -exponent;
      end = j;
    }
  }
  double value = 0.0;
  const auto result = std::from_chars(text.data() + start, text.data() + end, value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = IsOverflow(text.substr(start, mantissa_end - start), exponent)
                ? std::numeric_limits<double>::max()
                : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

}  // namespace mox
