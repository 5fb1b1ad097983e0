// What the text editor draws beside the characters: the gutter with the
// line numbers and the marked stretches a program sets.
#include <algorithm>
#include <string>

#include "platform/win32/framework/text_editor.h"

namespace mox::win {
namespace {

std::size_t DigitsOf(std::size_t number) {
  std::size_t digits = 1;
  while (number >= 10) {
    number /= 10;
    ++digits;
  }
  return digits;
}

}  // namespace

void TTextEditor::SetMarks(std::vector<Mark> marks) {
  for (const Mark& mark : marks_) InvalidatePositions(mark.Start, mark.End);
  marks_ = std::move(marks);
  for (const Mark& mark : marks_) InvalidatePositions(mark.Start, mark.End);
}

void TTextEditor::RepaintText() {
  runs_line_ = static_cast<std::size_t>(-1);
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

void TTextEditor::SetGutter(bool shown) {
  gutter_ = shown;
  gutter_digits_ = 0;
  UpdateGutterWidth();
}

void TTextEditor::UpdateGutterWidth() {
  // The width follows the digits of the last line's number, at least two,
  // so the first lines typed into a new text do not move it.
  const std::size_t digits =
      gutter_ ? std::max<std::size_t>(2, DigitsOf(document_.LineCount())) : 0;
  if (digits == gutter_digits_ && (gutter_ || gutter_width_ == 0)) return;
  gutter_digits_ = digits;
  gutter_width_ = gutter_ ? static_cast<int>(digits) * Width(U'0') + space_width_ : 0;
  // The text starts somewhere else: wrapped afresh, drawn afresh.
  if (word_wrap_) {
    SetWordWrap(true);
  } else {
    UpdateScrollRanges();
    if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
    PlaceCaret();
  }
}

void TTextEditor::PaintGutter(HDC dc, const RECT& damaged) {
  // The gutter stands at the window's left edge whatever the sideways
  // scroll: content x from the origin.
  const long left = Scroller() != nullptr ? Scroller()->OriginX() : 0;
  if (damaged.left >= left + gutter_width_) return;
  const RECT strip{static_cast<LONG>(left), damaged.top, static_cast<LONG>(left + gutter_width_),
                   damaged.bottom};
  const Brush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  FillRect(dc, &strip, face.Get());
  const RECT edge{static_cast<LONG>(left + gutter_width_ - 1), damaged.top,
                  static_cast<LONG>(left + gutter_width_), damaged.bottom};
  const Brush shadow(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
  FillRect(dc, &edge, shadow.Get());
  SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  SetTextAlign(dc, TA_TOP | TA_RIGHT | TA_NOUPDATECP);
  const std::size_t rows = layout_.RowCount();
  const auto first = static_cast<std::size_t>(std::max(0L, damaged.top / row_height_));
  for (std::size_t row = first; row < rows && static_cast<long>(row) * row_height_ < damaged.bottom;
       ++row) {
    const platform::TextRow text_row = layout_.Row(row);
    // A wrapped line: its number on its first row only.
    if (text_row.Start != document_.LineStart(text_row.Line)) continue;
    const std::wstring number = std::to_wstring(text_row.Line + 1);
    ExtTextOutW(dc, static_cast<int>(left + gutter_width_ - space_width_ / 2),
                static_cast<int>(row) * row_height_, 0, nullptr, number.c_str(),
                static_cast<UINT>(number.size()), nullptr);
  }
  SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
}

}  // namespace mox::win
