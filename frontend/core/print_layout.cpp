#include "frontend/core/print_layout.h"

#include <algorithm>

namespace mox::varelo {
namespace {

constexpr std::size_t kTabColumns = 8;

bool IsBlank(char16_t unit) { return unit == u' '; }

// Chinese (and the other wide scripts from the CJK radicals on) may break
// between any two characters.
bool IsWide(char16_t unit) { return unit >= 0x2E80; }

bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Tab stops count columns as the editor does: a character of more than one
// GBK byte takes two.
std::u16string ExpandTabs(std::u16string_view line) {
  std::u16string expanded;
  std::size_t column = 0;
  for (char16_t unit : line) {
    if (unit == u'\t') {
      const std::size_t spaces = kTabColumns - column % kTabColumns;
      expanded.append(spaces, u' ');
      column += spaces;
    } else {
      expanded.push_back(unit);
      column += unit < 0x80 ? 1 : 2;
    }
  }
  return expanded;
}

// Whether a line may break before position p (0 < p < size).
bool MayBreakBefore(std::u16string_view text, std::size_t p) {
  if (IsLowSurrogate(text[p])) return false;
  return IsBlank(text[p - 1]) || IsWide(text[p - 1]) || IsWide(text[p]);
}

std::u16string_view WithoutTrailingBlanks(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

void WrapLine(std::u16string_view line, int width, TextMeasure& measure,
              std::vector<std::u16string>& out) {
  if (line.empty()) {
    out.emplace_back();
    return;
  }
  std::size_t at = 0;
  while (at < line.size()) {
    const std::u16string_view rest = line.substr(at);
    int fitted_width = 0;
    const std::size_t fit = std::min(measure.Fit(rest, width, fitted_width), rest.size());
    if (fit == rest.size()) {
      out.emplace_back(rest);
      break;
    }
    std::size_t cut = 0;
    if (fit > 0 && IsBlank(rest[fit])) {
      cut = fit;
    } else {
      for (std::size_t p = fit; p > 0; --p) {
        if (MayBreakBefore(rest, p)) {
          cut = p;
          break;
        }
      }
    }
    if (cut == 0) {
      // No place to break: as much as fits, and never less than one
      // character (a surrogate pair stays whole).
      cut = std::max<std::size_t>(fit, 1);
      if (cut < rest.size() && IsLowSurrogate(rest[cut])) ++cut;
    }
    out.emplace_back(WithoutTrailingBlanks(rest.substr(0, cut)));
    std::size_t next = cut;
    while (next < rest.size() && IsBlank(rest[next])) ++next;
    at += next;
  }
}

int LineX(std::u16string_view text, int width, TextMeasure& measure, Alignment alignment) {
  if (alignment == Alignment::Left || text.empty()) return 0;
  const int free = std::max(0, width - measure.Width(text));
  return alignment == Alignment::Right ? free : free / 2;
}

}  // namespace

std::vector<PrintedPage> LayOutPages(std::u16string_view text, int width, int lines_per_page,
                                     TextMeasure& measure, Alignment alignment) {
  lines_per_page = std::max(lines_per_page, 1);
  std::vector<std::u16string> lines;
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find(u'\r', begin);
    if (end == std::u16string_view::npos) end = text.size();
    // The line end at the very end of the text opens no further line.
    if (end == text.size() && begin == text.size() && begin > 0) break;
    WrapLine(ExpandTabs(text.substr(begin, end - begin)), width, measure, lines);
    begin = end + 1;
  }
  std::vector<PrintedPage> pages(1);
  for (std::u16string& line : lines) {
    if (pages.back().size() == static_cast<std::size_t>(lines_per_page)) pages.emplace_back();
    const int x = LineX(line, width, measure, alignment);
    pages.back().push_back(PrintedLine{std::move(line), x});
  }
  return pages;
}

}  // namespace mox::varelo
