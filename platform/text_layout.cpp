#include "platform/text_layout.h"

#include <algorithm>

namespace mox::platform {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Characters between which a line may wrap without a blank: the wide
// ones of Chinese, Japanese and Korean text, punctuation of theirs and
// the surrogate pairs (ideographs beyond the first plane).
bool IsWide(char32_t character) {
  return character >= 0x2E80 && !(character >= 0xD800 && character <= 0xF8FF) &&
         !(character >= 0xFE00 && character <= 0xFE0F);
}

}  // namespace

TextLayout::TextLayout(const TextDocument& document, CharacterWidths& widths)
    : document_(document), widths_(widths) {}

void TextLayout::SetTabWidth(int pixels) {
  tab_width_ = std::max(1, pixels);
  Rebuild();
}

void TextLayout::SetWrapWidth(int width) {
  wrap_width_ = std::max(0, width);
  Rebuild();
}

int TextLayout::AdvanceAt(std::size_t at, int x, std::size_t& units) const {
  const std::u16string& text = document_.Text();
  const char16_t unit = text[at];
  units = 1;
  if (unit == u'\t') return tab_width_ - x % tab_width_;
  if (IsHighSurrogate(unit) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
    units = 2;
    const char32_t character =
        0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[at + 1] - 0xDC00);
    return widths_.Width(character);
  }
  return widths_.Width(unit);
}

TextLayout::LineRows TextLayout::LayOutLine(std::size_t line) const {
  const std::u16string& text = document_.Text();
  const std::size_t start = document_.LineStart(line);
  const std::size_t end = document_.LineEnd(line);
  LineRows rows;
  int x = 0;
  std::size_t row_start = start;
  // The last place after a blank where the row may end.
  std::size_t after_blank = 0;
  for (std::size_t at = start; at < end;) {
    std::size_t units = 1;
    int advance = AdvanceAt(at, x, units);
    const char16_t unit = text[at];
    const char32_t character =
        units == 2 ? 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                         (text[at + 1] - 0xDC00)
                   : unit;
    // Blanks may stand past the width: a row never begins with one.
    const bool blank = unit == u' ' || unit == u'\t';
    if (wrap_width_ > 0 && x + advance > wrap_width_ && at > row_start && !blank) {
      // A wide character starts the next row itself; otherwise the row
      // ends after its last blank, else here.
      std::size_t cut = at;
      if (!IsWide(character) && after_blank > row_start) cut = after_blank;
      rows.Breaks.push_back(static_cast<std::uint32_t>(cut - start));
      rows.Width = std::max(rows.Width, x);
      row_start = cut;
      after_blank = 0;
      x = 0;
      for (std::size_t again = cut; again < at;) {
        std::size_t step = 1;
        x += AdvanceAt(again, x, step);
        again += step;
      }
      advance = AdvanceAt(at, x, units);
    }
    x += advance;
    at += units;
    if (blank || IsWide(character)) after_blank = at;
  }
  rows.Width = std::max(rows.Width, x);
  return rows;
}

void TextLayout::Rebuild() {
  lines_.clear();
  lines_.reserve(document_.LineCount());
  for (std::size_t line = 0; line < document_.LineCount(); ++line) {
    lines_.push_back(LayOutLine(line));
  }
  Recount();
}

void TextLayout::Update(const TextChange& change) {
  if (lines_.size() + change.NewLines != document_.LineCount() + change.OldLines ||
      change.FirstLine + change.OldLines > lines_.size()) {
    Rebuild();  // not the document this layout followed
    return;
  }
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(change.FirstLine);
  const auto at = lines_.erase(first, first + static_cast<std::ptrdiff_t>(change.OldLines));
  std::vector<LineRows> fresh;
  fresh.reserve(change.NewLines);
  for (std::size_t line = change.FirstLine; line < change.FirstLine + change.NewLines; ++line) {
    fresh.push_back(LayOutLine(line));
  }
  lines_.insert(at, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
  Recount();
}

void TextLayout::Recount() {
  max_width_stale_ = true;
  first_rows_.clear();
  if (wrap_width_ == 0) return;
  first_rows_.reserve(lines_.size() + 1);
  std::size_t rows = 0;
  for (const LineRows& line : lines_) {
    first_rows_.push_back(rows);
    rows += line.Breaks.size() + 1;
  }
  first_rows_.push_back(rows);
}

std::size_t TextLayout::RowCount() const {
  return wrap_width_ == 0 ? lines_.size() : first_rows_.back();
}

std::size_t TextLayout::FirstRowOf(std::size_t line) const {
  line = std::min(line, lines_.size() - 1);
  return wrap_width_ == 0 ? line : first_rows_[line];
}

TextRow TextLayout::Row(std::size_t row) const {
  row = std::min(row, RowCount() - 1);
  TextRow result;
  std::size_t index = 0;
  if (wrap_width_ == 0) {
    result.Line = row;
  } else {
    const auto after = std::upper_bound(first_rows_.begin(), first_rows_.end(), row);
    result.Line = static_cast<std::size_t>(after - first_rows_.begin()) - 1;
    index = row - first_rows_[result.Line];
  }
  const std::size_t start = document_.LineStart(result.Line);
  const std::vector<std::uint32_t>& breaks = lines_[result.Line].Breaks;
  result.Start = index == 0 ? start : start + breaks[index - 1];
  result.End = index < breaks.size() ? start + breaks[index] : document_.LineEnd(result.Line);
  return result;
}

std::size_t TextLayout::RowOf(std::size_t position, bool at_row_end) const {
  const std::size_t line = document_.LineOf(position);
  if (wrap_width_ == 0) return line;
  const std::size_t offset = position - document_.LineStart(line);
  const std::vector<std::uint32_t>& breaks = lines_[line].Breaks;
  std::size_t index = static_cast<std::size_t>(
      std::upper_bound(breaks.begin(), breaks.end(), offset) - breaks.begin());
  if (at_row_end && index > 0 && breaks[index - 1] == offset) --index;
  return first_rows_[line] + index;
}

int TextLayout::Advances(const TextRow& row, std::vector<int>& advances) const {
  advances.assign(row.End - row.Start, 0);
  int x = 0;
  for (std::size_t at = row.Start; at < row.End;) {
    std::size_t units = 1;
    const int advance = AdvanceAt(at, x, units);
    advances[at - row.Start] = advance;
    x += advance;
    at += units;
  }
  return x;
}

int TextLayout::XOf(const TextRow& row, std::size_t position) const {
  int x = 0;
  for (std::size_t at = row.Start; at < row.End && at < position;) {
    std::size_t units = 1;
    x += AdvanceAt(at, x, units);
    at += units;
  }
  return x;
}

std::size_t TextLayout::PositionAt(const TextRow& row, int x) const {
  int left = 0;
  for (std::size_t at = row.Start; at < row.End;) {
    std::size_t units = 1;
    const int advance = AdvanceAt(at, left, units);
    if (x < left + advance / 2 + advance % 2) return at;
    left += advance;
    at += units;
  }
  return row.End;
}

int TextLayout::MaxWidth() const {
  if (max_width_stale_) {
    max_width_ = 0;
    for (const LineRows& line : lines_) max_width_ = std::max(max_width_, line.Width);
    max_width_stale_ = false;
  }
  return max_width_;
}

}  // namespace mox::platform
