// The text editor's drawing: the rows in the damaged part of the window,
// drawn into a bitmap first so that nothing flickers, each row's
// characters placed at the advances its layout gave them.
#include <algorithm>

#include "platform/win32/framework/text_editor.h"

namespace mox::win {
namespace {

// What a unit shows as: a tab as a blank; control characters and the
// escapes of bytes that are no character as the replacement character.
char16_t Shown(char16_t unit) {
  if (unit == u'\t') return u' ';
  if (unit < 0x20 || unit == 0x7F || (unit >= 0xF700 && unit <= 0xF7FF)) return 0xFFFD;
  return unit;
}

}  // namespace

// The units of a row that are painted, From to To of the row, the first
// of them at FromX; the row's top at Top (content pixels).
struct TTextEditor::RowSpan {
  platform::TextRow Row;
  int Top = 0;
  std::size_t From = 0;
  std::size_t To = 0;
  int FromX = 0;

  // Where a unit of the span (or its end) begins, by the row's advances.
  int XOf(const std::vector<int>& advances, std::size_t unit) const {
    int x = FromX;
    for (std::size_t i = From; i < unit; ++i) x += advances[i];
    return x;
  }
};

int TTextEditor::Width(char32_t character) {
  if (character < 0x10000) {
    std::int16_t& cached = widths_[character];
    if (cached >= 0) return cached;
  } else if (const auto known = wide_widths_.find(character); known != wide_widths_.end()) {
    return known->second;
  }
  wchar_t units[2];
  int count = 1;
  if (character < 0x10000) {
    units[0] = static_cast<wchar_t>(Shown(static_cast<char16_t>(character)));
  } else {
    units[0] = static_cast<wchar_t>(0xD800 + ((character - 0x10000) >> 10));
    units[1] = static_cast<wchar_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
    count = 2;
  }
  SIZE size{};
  if (!measure_dc_ || !GetTextExtentPoint32W(measure_dc_.Get(), units, count, &size)) {
    size.cx = space_width_;
  }
  const int width = std::clamp(static_cast<int>(size.cx), 0, 0x7FFF);
  if (character < 0x10000) {
    widths_[character] = static_cast<std::int16_t>(width);
  } else {
    wide_widths_[character] = width;
  }
  return width;
}

void TTextEditor::MakeFont() {
  Font fresh(CreateFontIndirectW(&log_font_));
  if (!fresh || !measure_dc_) return;
  const HGDIOBJ previous = SelectObject(measure_dc_.Get(), fresh.Get());
  if (measure_old_font_ == nullptr) measure_old_font_ = previous;
  font_ = std::move(fresh);
  TEXTMETRICW metrics{};
  GetTextMetricsW(measure_dc_.Get(), &metrics);
  row_height_ = std::max(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
  ascent_ = metrics.tmAscent;
  widths_.assign(0x10000, -1);
  wide_widths_.clear();
  space_width_ = std::max(1, Width(U' '));
  // Digits of the new font's width in the gutter.
  gutter_digits_ = 0;
  UpdateGutterWidth();
  caret_width_ = std::max(2, 2 * GetSystemMetrics(SM_CXBORDER));
  if (Scroller() != nullptr) Scroller()->SetUnits(space_width_, row_height_);
  // Tab stops every eight blanks; a new wrap width for the new margins.
  layout_.SetTabWidth(8 * space_width_);
  if (word_wrap_) SetWordWrap(true);
  UpdateScrollRanges();
  if (has_focus_) {
    DestroyCaret();
    CreateCaret(Handle(), nullptr, caret_width_, row_height_);
    ShowCaret(Handle());
  }
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
  ScrollCaretIntoView();
  PlaceCaret();
}

void TTextEditor::Paint(HDC dc, const RECT& damaged, bool /*erase*/) {
  const int width = damaged.right - damaged.left;
  const int height = damaged.bottom - damaged.top;
  if (width <= 0 || height <= 0) return;
  // The colours a line gets are asked for once a paint.
  runs_line_ = static_cast<std::size_t>(-1);
  MemoryDc memory(dc);
  Bitmap bitmap(CreateCompatibleBitmap(dc, width, height));
  if (!memory || !bitmap) return;
  const Selection selected_bitmap(memory.Get(), bitmap.Get());
  const Selection selected_font(memory.Get(), font_.Get());
  // The bitmap's pixels stand for the damaged rectangle of the content.
  SetWindowOrgEx(memory.Get(), damaged.left, damaged.top, nullptr);
  const Brush background(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
  FillRect(memory.Get(), &damaged, background.Get());
  SetBkMode(memory.Get(), TRANSPARENT);
  SetTextAlign(memory.Get(), TA_TOP | TA_LEFT | TA_NOUPDATECP);
  const std::size_t rows = layout_.RowCount();
  const auto first = static_cast<std::size_t>(std::max(0L, damaged.top / row_height_));
  for (std::size_t row = first; row < rows && static_cast<long>(row) * row_height_ < damaged.bottom;
       ++row) {
    PaintRow(memory.Get(), row, static_cast<int>(row) * row_height_, damaged);
  }
  if (gutter_width_ > 0) PaintGutter(memory.Get(), damaged);
  BitBlt(dc, damaged.left, damaged.top, width, height, memory.Get(), damaged.left, damaged.top,
         SRCCOPY);
}

void TTextEditor::PaintRow(HDC dc, std::size_t row_index, int top, const RECT& damaged) {
  const RowSpan span = DamagedSpan(row_index, top, damaged);
  const platform::TextRow& row = span.Row;
  const std::size_t selection_start =
      std::clamp(document_.SelectionStart(), row.Start, row.End) - row.Start;
  const std::size_t selection_end =
      std::clamp(document_.SelectionEnd(), row.Start, row.End) - row.Start;
  // Marks first: the selection is drawn over them.
  PaintMarks(dc, span);
  const std::size_t drawn_start = std::clamp(selection_start, span.From, span.To);
  const std::size_t drawn_end = std::clamp(selection_end, span.From, span.To);
  PaintSelection(dc, span, drawn_start, drawn_end);
  PaintRowText(dc, span, drawn_start, drawn_end);
}

// Only the characters that reach into the damaged columns are drawn; the
// row's advances are left in advances_.
TTextEditor::RowSpan TTextEditor::DamagedSpan(std::size_t row_index, int top,
                                              const RECT& damaged) {
  RowSpan span;
  span.Row = layout_.Row(row_index);
  span.Top = top;
  const platform::TextRow& row = span.Row;
  layout_.Advances(row, advances_);
  const int left = TextLeft() + AlignmentOffset(row);
  const std::size_t count = row.End - row.Start;
  std::size_t from = 0;
  int from_x = left;
  while (from < count && from_x + advances_[from] < damaged.left) from_x += advances_[from++];
  // Back to the first half of a pair (a row scrolled wholly left of the
  // damage has no character at count to look at).
  while (from > 0 && from < count && advances_[from] == 0) from_x -= advances_[--from];
  std::size_t to = from;
  int to_x = from_x;
  while (to < count && to_x <= damaged.right) to_x += advances_[to++];
  while (to < count && advances_[to] == 0) ++to;
  span.From = from;
  span.To = to;
  span.FromX = from_x;
  return span;
}

// The backgrounds of the marks in the span.
void TTextEditor::PaintMarks(HDC dc, const RowSpan& span) const {
  const platform::TextRow& row = span.Row;
  for (const Mark& mark : marks_) {
    const std::size_t mark_start =
        std::clamp(std::clamp(mark.Start, row.Start, row.End) - row.Start, span.From, span.To);
    const std::size_t mark_end =
        std::clamp(std::clamp(mark.End, row.Start, row.End) - row.Start, span.From, span.To);
    if (mark_start >= mark_end) continue;
    const RECT box{span.XOf(advances_, mark_start), span.Top, span.XOf(advances_, mark_end),
                   span.Top + row_height_};
    const Brush brush(CreateSolidBrush(mark.Background));
    FillRect(dc, &box, brush.Get());
  }
}

// The selection's background (its units start to end of the span), and a
// blank's width for a line end in it.
void TTextEditor::PaintSelection(HDC dc, const RowSpan& span, std::size_t start,
                                 std::size_t end) const {
  const platform::TextRow& row = span.Row;
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const Brush highlight_brush(CreateSolidBrush(highlight));
  if (start < end) {
    const RECT box{span.XOf(advances_, start), span.Top, span.XOf(advances_, end),
                   span.Top + row_height_};
    FillRect(dc, &box, highlight_brush.Get());
  }
  const bool line_end_selected = row.End == document_.LineEnd(row.Line) &&
                                 row.Line + 1 < document_.LineCount() &&
                                 document_.SelectionStart() <= row.End &&
                                 document_.SelectionEnd() > row.End;
  const std::size_t count = row.End - row.Start;
  if (line_end_selected && span.To == count) {
    const int x = span.XOf(advances_, count);
    const RECT box{x, span.Top, x + space_width_, span.Top + row_height_};
    FillRect(dc, &box, highlight_brush.Get());
  }
}

// The span's characters: the selected ones (selection_start to
// selection_end) in the highlight's colour, the others in the colours the
// program gives the line.
void TTextEditor::PaintRowText(HDC dc, const RowSpan& span, std::size_t selection_start,
                               std::size_t selection_end) {
  const platform::TextRow& row = span.Row;
  shown_.assign(document_.Range(row.Start + span.From, row.Start + span.To));
  for (char16_t& unit : shown_) unit = Shown(unit);
  const auto draw = [&](std::size_t begin, std::size_t end, COLORREF color) {
    if (begin >= end) return;
    SetTextColor(dc, color);
    ExtTextOutW(dc, span.XOf(advances_, begin), span.Top, 0, nullptr,
                reinterpret_cast<const wchar_t*>(shown_.data()) + (begin - span.From),
                static_cast<UINT>(end - begin), advances_.data() + begin);
  };
  if (LineColours && runs_line_ != row.Line) {
    runs_.clear();
    LineColours(row.Line, runs_);
    runs_line_ = row.Line;
  }
  const std::size_t line_start = document_.LineStart(row.Line);
  const auto draw_coloured = [&](std::size_t begin, std::size_t end) {
    if (!LineColours) {
      draw(begin, end, text_color_);
      return;
    }
    std::size_t at = begin;
    for (const ColourRun& run : runs_) {
      if (at >= end) break;
      // The run in the row's units, a pair's halves together.
      const std::size_t run_start =
          std::clamp(line_start + run.Start, row.Start, row.End) - row.Start;
      const std::size_t run_end = std::clamp(line_start + run.End, row.Start, row.End) - row.Start;
      if (run_end <= at || run_start >= end) continue;
      const std::size_t start = std::max(run_start, at);
      draw(at, start, text_color_);
      const std::size_t stop = std::min(run_end, end);
      draw(start, stop, run.Color);
      at = stop;
    }
    draw(at, end, text_color_);
  };
  draw_coloured(span.From, selection_start);
  draw(selection_start, selection_end, GetSysColor(COLOR_HIGHLIGHTTEXT));
  draw_coloured(selection_end, span.To);
}

}  // namespace mox::win
