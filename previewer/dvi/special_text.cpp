#include "previewer/dvi/special_text.h"

#include "previewer/startup/number_syntax.h"

namespace mox {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Index after the digits from `at`.
std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

}  // namespace

std::string_view TrimSpecialBlanks(std::string_view text) {
  while (!text.empty() && IsOptionSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsOptionSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TakeSpecialWord(std::string_view& text) {
  std::size_t start = 0;
  while (start < text.size() && IsOptionSpace(text[start])) ++start;
  std::size_t end = start;
  while (end < text.size() && !IsOptionSpace(text[end])) ++end;
  const std::string_view word = text.substr(start, end - start);
  text.remove_prefix(end);
  return word;
}

std::optional<double> ParseSpecialNumber(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  const std::size_t integer_end = SkipDigits(text, at);
  bool have_digit = integer_end > at;
  at = integer_end;
  if (at < text.size() && text[at] == '.') {
    const std::size_t fraction_end = SkipDigits(text, at + 1);
    have_digit = have_digit || fraction_end > at + 1;
    at = fraction_end;
  }
  if (!have_digit) return std::nullopt;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    const std::size_t exponent_end = SkipDigits(text, at);
    if (exponent_end == at) return std::nullopt;
    at = exponent_end;
  }
  if (at != text.size()) return std::nullopt;
  // The form is checked above; the reader gives the value without the C
  // locale's say over the decimal point.
  return ParseDecimalPrefix(text);
}

}  // namespace mox
