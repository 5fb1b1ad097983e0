#include "previewer/shell/page_choice.h"

#include <cctype>
#include <climits>
#include <optional>

#include "platform/text_format.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/shell/page_navigation.h"
#include "previewer/shell/shell_texts.h"

namespace mox {
namespace {

std::int32_t PageCount(const ScanDocument& doc) {
  return static_cast<std::int32_t>(doc.Dvi.Pages.size());
}

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// The value of a roman numeral written in the usual subtractive way, with
// at most 3999; nothing when the text is no such numeral.
std::optional<std::int32_t> RomanValue(std::string_view text) {
  static constexpr struct {
    std::string_view Digits;
    std::int32_t Value;
  } kParts[] = {{"m", 1000}, {"cm", 900}, {"d", 500}, {"cd", 400}, {"c", 100}, {"xc", 90},
                {"l", 50},   {"xl", 40},  {"x", 10},  {"ix", 9},   {"v", 5},   {"iv", 4},
                {"i", 1}};
  std::string lower;
  for (const char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::string_view rest = lower;
  std::int32_t value = 0;
  for (const auto& part : kParts) {
    // A numeral repeats only its single letters, and those three times.
    const int most = part.Digits.size() == 1 && part.Value != 5 && part.Value != 50 &&
                             part.Value != 500
                         ? 3
                         : 1;
    for (int n = 0; n < most && rest.substr(0, part.Digits.size()) == part.Digits; ++n) {
      value += part.Value;
      rest.remove_prefix(part.Digits.size());
    }
  }
  if (!rest.empty() || value == 0) return std::nullopt;
  return value;
}

}  // namespace

std::vector<std::int32_t> TypedPageNumbers(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  std::string_view digits = text;
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
  if (!digits.empty() && digits.front() >= '0' && digits.front() <= '9') {
    return {LeadingInteger(text)};
  }
  if (const std::optional<std::int32_t> roman = RomanValue(text)) return {-*roman, *roman};
  return {};
}

std::vector<std::string> PageListLines(const ScanDocument& doc) {
  std::vector<std::string> lines;
  const std::vector<PageEntry>& pages = doc.Dvi.Pages;
  for (std::int32_t page = 0; page < PageCount(doc); ++page) {
    if (!IsSelectablePage(doc, page)) continue;
    lines.push_back(Format(doc.Say(kPageListLine),
                           static_cast<long>(pages[static_cast<std::size_t>(page)].Count0)));
  }
  return lines;
}

std::int32_t PageOfListPosition(const ScanDocument& doc, std::int32_t position) {
  if (position < 0) return -1;
  std::int32_t page = FirstSelectablePage(doc);
  for (std::int32_t k = 0; k < position && page >= 0; ++k) page = NextSelectablePage(doc, page);
  return page;
}

std::int32_t ListPositionOfPage(const ScanDocument& doc, std::int32_t page) {
  if (!IsSelectablePage(doc, page)) return 0;
  std::int32_t position = 0;
  for (std::int32_t p = 0; p < page; ++p) position += IsSelectablePage(doc, p) ? 1 : 0;
  return position;
}

std::int32_t LeadingInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT32_MAX) + 1) value = static_cast<long long>(INT32_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<std::int32_t>(value);
}

std::int32_t NextPageNumbered(const ScanDocument& doc, std::int32_t number,
                              std::int32_t current) {
  const std::int32_t count = PageCount(doc);
  if (count == 0) return current;
  const std::int32_t start = current >= 0 && current < count ? current : 0;
  const std::vector<PageEntry>& pages = doc.Dvi.Pages;
  for (std::int32_t i = (start + 1) % count; i != start; i = (i + 1) % count) {
    if (IsSelectablePage(doc, i) && pages[static_cast<std::size_t>(i)].Count0 == number) return i;
  }
  return start;
}

}  // namespace mox
