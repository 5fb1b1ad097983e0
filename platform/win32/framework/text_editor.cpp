#include "platform/win32/framework/text_editor.h"

#include <imm.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/text_motion.h"
#include "platform/win32/framework/clipboard.h"

namespace mox::win {
namespace {

constexpr UINT_PTR kAutoScrollTimer = 1;
constexpr UINT kAutoScrollMilliseconds = 50;
// The rich-edit control's line of a position, which tools send to any
// editing window.
constexpr UINT kExLineFromChar = WM_USER + 54;

bool IsDown(int key) { return GetKeyState(key) < 0; }

std::u16string_view Units(LPARAM lparam) {
  const auto* text = reinterpret_cast<const char16_t*>(lparam);
  return text != nullptr ? std::u16string_view(text) : std::u16string_view();
}

}  // namespace

TTextEditor::TTextEditor() : layout_(document_, *this) {
  document_.AddListener(this);
  widths_.assign(0x10000, -1);
  const auto gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  GetObjectW(gui, sizeof log_font_, &log_font_);
  text_color_ = GetSysColor(COLOR_WINDOWTEXT);
}

TTextEditor::~TTextEditor() {
  document_.RemoveListener(this);
  if (measure_dc_ && measure_old_font_ != nullptr) {
    SelectObject(measure_dc_.Get(), measure_old_font_);
  }
}

bool TTextEditor::Create(HWND parent, int control_id) {
  SetWindowClass(kClassName);
  KeepScrollBars(true, true);
  const RECT none{0, 0, 0, 0};
  // Clipped by its siblings: a program's list shown over the text stays.
  if (!TWindow::Create(parent, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP |
                                   WS_CLIPSIBLINGS,
                       WS_EX_CLIENTEDGE, L"", none,
                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)))) {
    return false;
  }
  AttachScroller();
  measure_dc_ = MemoryDc(nullptr);
  MakeFont();
  return true;
}

// ---------------------------------------------------------------------------
// Commands

void TTextEditor::Undo() { document_.Undo(); }
void TTextEditor::Redo() { document_.Redo(); }

void TTextEditor::Copy() {
  if (!document_.HasSelection()) return;
  SetClipboardText(Handle(), ExternalText(document_.SelectionStart(), document_.SelectionEnd()));
}

void TTextEditor::Cut() {
  if (!document_.HasSelection()) return;
  Copy();
  document_.ReplaceSelection(u"");
}

void TTextEditor::Paste() {
  std::u16string text = ClipboardText(Handle());
  if (text.empty()) return;
  document_.ReplaceSelection(platform::WithLineEnds(text, document_.NewLineEnd()));
}

void TTextEditor::DeleteSelection() {
  if (document_.HasSelection()) document_.ReplaceSelection(u"");
}

void TTextEditor::SelectAll() { document_.Select(0, document_.Length()); }

std::u16string TTextEditor::ExternalText(std::size_t start, std::size_t end) const {
  return platform::WithLineEnds(document_.Range(start, end), u"\r\n");
}

// ---------------------------------------------------------------------------
// Document changes

void TTextEditor::TextReset() {
  layout_.Rebuild();
  runs_line_ = static_cast<std::size_t>(-1);
  UpdateGutterWidth();
  old_selection_start_ = old_selection_end_ = 0;
  at_row_end_ = false;
  desired_x_ = -1;
  UpdateScrollRanges();
  if (Scroller() != nullptr) Scroller()->ScrollTo(0, 0);
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
  PlaceCaret();
  if (OnTextChanged) OnTextChanged();
  if (OnSelectionChanged) OnSelectionChanged();
}

void TTextEditor::TextChanged(const platform::TextChange& change) {
  const std::size_t rows_before = layout_.RowCount();
  const int width_before = layout_.MaxWidth();
  layout_.Update(change);
  runs_line_ = static_cast<std::size_t>(-1);
  UpdateGutterWidth();
  at_row_end_ = false;
  desired_x_ = -1;
  const std::size_t first = layout_.FirstRowOf(change.FirstLine);
  if (layout_.RowCount() != rows_before ||
      (alignment_ != Alignment::Left && layout_.MaxWidth() != width_before)) {
    InvalidateRows(alignment_ != Alignment::Left ? 0 : first, layout_.RowCount() + ClientHeight());
  } else {
    const std::size_t after = change.FirstLine + change.NewLines;
    const std::size_t last = after < document_.LineCount() ? layout_.FirstRowOf(after) - 1
                                                           : layout_.RowCount() - 1;
    InvalidateRows(first, last);
  }
  UpdateScrollRanges();
  if (OnTextChanged) OnTextChanged();
}

void TTextEditor::SelectionChanged() {
  if (old_selection_start_ != old_selection_end_) {
    InvalidatePositions(old_selection_start_, old_selection_end_);
  }
  old_selection_start_ = document_.SelectionStart();
  old_selection_end_ = document_.SelectionEnd();
  if (old_selection_start_ != old_selection_end_) {
    InvalidatePositions(old_selection_start_, old_selection_end_);
  }
  ScrollCaretIntoView();
  PlaceCaret();
  if (OnSelectionChanged) OnSelectionChanged();
}

// ---------------------------------------------------------------------------
// Places

long TTextEditor::ClientWidth() const { return ClientSize().cx; }

long TTextEditor::ClientHeight() const { return ClientSize().cy; }

int TTextEditor::AlignmentOffset(const platform::TextRow& row) const {
  if (alignment_ == Alignment::Left) return 0;
  const int margin = space_width_ / 2;
  const int available =
      static_cast<int>(ClientWidth()) - gutter_width_ - 2 * margin - caret_width_;
  const int width = word_wrap_ ? available : std::max(layout_.MaxWidth(), available);
  const int rest = std::max(0, width - layout_.XOf(row, row.End));
  return alignment_ == Alignment::Right ? rest : rest / 2;
}

POINT TTextEditor::PointOf(std::size_t position, bool at_row_end) const {
  const std::size_t row_index = layout_.RowOf(position, at_row_end);
  const platform::TextRow row = layout_.Row(row_index);
  POINT point;
  point.x = TextLeft() + AlignmentOffset(row) + layout_.XOf(row, position);
  point.y = static_cast<LONG>(row_index) * row_height_;
  return point;
}

std::size_t TTextEditor::PositionAt(POINT client, bool& at_row_end) const {
  const long y = std::max(0L, client.y + Scroller()->OriginY());
  const std::size_t row_index =
      std::min(static_cast<std::size_t>(y / row_height_), layout_.RowCount() - 1);
  const platform::TextRow row = layout_.Row(row_index);
  const int x =
      static_cast<int>(client.x + Scroller()->OriginX()) - TextLeft() - AlignmentOffset(row);
  const std::size_t position = layout_.PositionAt(row, x);
  at_row_end = position == row.End && row.End != document_.LineEnd(row.Line) &&
               position != row.Start;
  return position;
}

void TTextEditor::UpdateScrollRanges() {
  platform::TScroller* scroller = Scroller();
  if (scroller == nullptr) return;
  const long rows = static_cast<long>(layout_.RowCount());
  long columns = 0;
  if (!word_wrap_) {
    const long width = layout_.MaxWidth() + gutter_width_ + space_width_ + caret_width_;
    columns = (width + scroller->XUnit - 1) / scroller->XUnit;
  }
  scroller->SetRange(std::max(0L, columns - scroller->XPage()),
                     std::max(0L, rows - scroller->YPage()));
}

void TTextEditor::ScrollCaretIntoView() {
  platform::TScroller* scroller = Scroller();
  if (scroller == nullptr || Handle() == nullptr) return;
  const POINT caret = PointOf(document_.Caret(), at_row_end_);
  const long row = caret.y / row_height_;
  long y = scroller->YPos;
  const long visible_rows = std::max(1L, ClientHeight() / row_height_);
  if (row < y) y = row;
  if (row >= y + visible_rows) y = row - visible_rows + 1;
  long x = scroller->XPos;
  // The text's part of the window starts right of the gutter.
  const long width = ClientWidth() - gutter_width_;
  const long left = scroller->OriginX() + gutter_width_;
  if (!word_wrap_ && (caret.x < left || caret.x + caret_width_ > left + width)) {
    // A third of the window to spare on the side the caret went.
    const long target = caret.x < left ? caret.x - width / 3 : caret.x - 2 * width / 3;
    x = std::max(0L, (target - gutter_width_) / scroller->XUnit);
  }
  if (x != scroller->XPos || y != scroller->YPos) scroller->ScrollTo(x, y);
}

void TTextEditor::ScrollContent(long dx, long dy) {
  if (gutter_width_ > 0 && dx != 0 && Handle() != nullptr) {
    // Sideways only the text moves; the gutter stays, its rows move with
    // the text's.
    const RECT text{gutter_width_, 0, static_cast<LONG>(ClientWidth()),
                    static_cast<LONG>(ClientHeight())};
    ScrollWindowEx(Handle(), static_cast<int>(dx), static_cast<int>(dy), &text, &text, nullptr,
                   nullptr, SW_INVALIDATE);
    if (dy != 0) {
      const RECT gutter{0, 0, gutter_width_, static_cast<LONG>(ClientHeight())};
      InvalidateRect(Handle(), &gutter, FALSE);
    }
    UpdateWindow(Handle());
  } else {
    TWindow::ScrollContent(dx, dy);
  }
  PlaceCaret();
}

void TTextEditor::PlaceCaret() {
  if (!has_focus_ || Handle() == nullptr || Scroller() == nullptr) return;
  const POINT point = PointOf(document_.Caret(), at_row_end_);
  const int x = static_cast<int>(point.x - Scroller()->OriginX());
  const int y = static_cast<int>(point.y - Scroller()->OriginY());
  SetCaretPos(x, y);
  if (const HIMC context = ImmGetContext(Handle())) {
    COMPOSITIONFORM form{};
    form.dwStyle = CFS_POINT;
    form.ptCurrentPos = {x, y};
    ImmSetCompositionWindow(context, &form);
    ImmReleaseContext(Handle(), context);
  }
}

void TTextEditor::InvalidateRows(std::size_t first, std::size_t last) {
  if (Handle() == nullptr || Scroller() == nullptr || last < first) return;
  const long origin = Scroller()->OriginY();
  const long height = ClientHeight();
  const long top = static_cast<long>(std::min<std::size_t>(first, 1u << 24)) * row_height_ - origin;
  const long bottom =
      static_cast<long>(std::min<std::size_t>(last + 1, 1u << 24)) * row_height_ - origin;
  if (bottom <= 0 || top >= height) return;
  RECT box{0, static_cast<LONG>(std::max(0L, top)), static_cast<LONG>(ClientWidth()),
           static_cast<LONG>(std::min(height, bottom))};
  InvalidateRect(Handle(), &box, FALSE);
}

void TTextEditor::InvalidatePositions(std::size_t from, std::size_t to) {
  InvalidateRows(layout_.RowOf(std::min(from, document_.Length()), true),
                 layout_.RowOf(std::min(to, document_.Length())));
}

// ---------------------------------------------------------------------------
// Settings

void TTextEditor::SetWordWrap(bool wrap) {
  word_wrap_ = wrap;
  KeepScrollBars(!wrap, true);
  if (wrap && Scroller() != nullptr) Scroller()->ScrollTo(0, Scroller()->YPos);
  const int margin = space_width_ / 2;
  layout_.SetWrapWidth(wrap ? std::max(1, static_cast<int>(ClientWidth()) - gutter_width_ -
                                              2 * margin - caret_width_)
                            : 0);
  if (Handle() != nullptr) ShowScrollBar(Handle(), SB_HORZ, wrap ? FALSE : TRUE);
  UpdateScrollRanges();
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
  ScrollCaretIntoView();
  PlaceCaret();
}

void TTextEditor::SetTextFont(const LOGFONTW& font, COLORREF color) {
  log_font_ = font;
  text_color_ = color;
  MakeFont();
}

void TTextEditor::SetAlignment(Alignment alignment) {
  alignment_ = alignment;
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
  PlaceCaret();
}

// ---------------------------------------------------------------------------
// Keys and characters

bool TTextEditor::KeyDown(WPARAM key) {
  const bool shift = IsDown(VK_SHIFT);
  const bool control = IsDown(VK_CONTROL);
  if (CaretKey(key, shift, control) || EditingKey(key, shift, control)) return true;
  if (!control || IsDown(VK_MENU)) return false;
  return ShortcutKey(key);
}

// The arrows, the page keys, Home and End: the caret moves (or the text
// scrolls, with Ctrl on Up and Down).
bool TTextEditor::CaretKey(WPARAM key, bool shift, bool control) {
  const std::size_t caret = document_.Caret();
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT: {
      // A plain arrow drops a selection at the end it points to.
      const bool left = key == VK_LEFT;
      if (document_.HasSelection() && !shift && !control) {
        MoveCaret(left ? document_.SelectionStart() : document_.SelectionEnd(), false);
      } else if (control) {
        MoveCaret(left ? platform::PreviousWordStart(document_, caret)
                       : platform::NextWordStart(document_, caret), shift);
      } else {
        MoveCaret(left ? platform::PreviousCharacter(document_, caret)
                       : platform::NextCharacter(document_, caret), shift);
      }
      return true;
    }
    case VK_UP:
    case VK_DOWN: {
      const long step = key == VK_UP ? -1 : 1;
      if (control) {
        Scroller()->ScrollBy(0, step);
      } else {
        MoveVertically(step, shift);
      }
      return true;
    }
    case VK_PRIOR:
    case VK_NEXT: {
      const long page = std::max(1L, ClientHeight() / row_height_ - 1);
      const long step = key == VK_PRIOR ? -page : page;
      Scroller()->ScrollBy(0, step);
      MoveVertically(step, shift);
      return true;
    }
    case VK_HOME:
      MoveCaret(control ? 0 : layout_.Row(layout_.RowOf(caret, at_row_end_)).Start, shift);
      return true;
    case VK_END:
      if (control) {
        MoveCaret(document_.Length(), shift);
      } else {
        const platform::TextRow row = layout_.Row(layout_.RowOf(caret, at_row_end_));
        MoveCaret(row.End, shift, row.End != document_.LineEnd(row.Line) && row.End != row.Start);
      }
      return true;
    default:
      return false;
  }
}

// Delete, Backspace and Insert, with Shift and Ctrl as edit controls take
// them (Shift+Delete cuts, Ctrl+Insert copies, Shift+Insert pastes).
bool TTextEditor::EditingKey(WPARAM key, bool shift, bool control) {
  switch (key) {
    case VK_DELETE:
      if (shift) {
        Cut();
      } else {
        DeleteFromCaret(true, control);
      }
      return true;
    case VK_BACK:
      DeleteFromCaret(false, control);
      return true;
    case VK_INSERT:
      if (shift) {
        Paste();
      } else if (control) {
        Copy();
      } else {
        overwrite_ = !overwrite_;
      }
      return true;
    default:
      return false;
  }
}

// The usual Ctrl keys, for a window whose program has no menu of them.
bool TTextEditor::ShortcutKey(WPARAM key) {
  switch (key) {
    case 'A': SelectAll(); return true;
    case 'C': Copy(); return true;
    case 'X': Cut(); return true;
    case 'V': Paste(); return true;
    case 'Z': Undo(); return true;
    case 'Y': Redo(); return true;
    default: return false;
  }
}

void TTextEditor::Character(wchar_t unit) {
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    high_surrogate_ = unit;
    return;
  }
  if (unit >= 0xDC00 && unit <= 0xDFFF) {
    if (high_surrogate_ != 0) {
      const char16_t pair[] = {static_cast<char16_t>(high_surrogate_),
                               static_cast<char16_t>(unit)};
      Type(std::u16string_view(pair, 2));
    }
    high_surrogate_ = 0;
    return;
  }
  high_surrogate_ = 0;
  if (unit == L'\r') {
    Type(document_.NewLineEnd());
  } else if (unit == L'\t' || (unit >= 0x20 && unit != 0x7F)) {
    const char16_t one = static_cast<char16_t>(unit);
    Type(std::u16string_view(&one, 1));
  }
  // Other control characters (Backspace, Ctrl with a letter) are keys.
}

void TTextEditor::Type(std::u16string_view text) {
  const std::size_t caret = document_.Caret();
  const bool line_end = text.find_first_of(u"\r\n") != std::u16string_view::npos;
  if (overwrite_ && !document_.HasSelection() && !line_end &&
      caret < document_.LineEnd(document_.LineOf(caret))) {
    document_.Replace(caret, platform::NextCharacter(document_, caret), text,
                      platform::EditKind::Typing);
  } else {
    document_.ReplaceSelection(text, platform::EditKind::Typing);
  }
}

void TTextEditor::DeleteFromCaret(bool forward, bool word) {
  if (document_.HasSelection()) {
    document_.ReplaceSelection(u"");
    return;
  }
  const std::size_t caret = document_.Caret();
  if (forward) {
    const std::size_t end = word ? platform::NextWordStart(document_, caret)
                                 : platform::NextCharacter(document_, caret);
    document_.Replace(caret, end, u"", platform::EditKind::Deleting);
  } else {
    const std::size_t start = word ? platform::PreviousWordStart(document_, caret)
                                   : platform::PreviousCharacter(document_, caret);
    document_.Replace(start, caret, u"", platform::EditKind::Deleting);
  }
}

void TTextEditor::MoveCaret(std::size_t position, bool extend, bool at_row_end) {
  at_row_end_ = at_row_end;
  desired_x_ = -1;
  document_.Select(extend ? document_.Anchor() : position, position);
  // The same selection with the caret on the other row of a wrap.
  ScrollCaretIntoView();
  PlaceCaret();
}

void TTextEditor::MoveVertically(long rows, bool extend) {
  const std::size_t caret = document_.Caret();
  const long row = static_cast<long>(layout_.RowOf(caret, at_row_end_));
  const POINT point = PointOf(caret, at_row_end_);
  const int x = desired_x_ >= 0 ? desired_x_ : static_cast<int>(point.x);
  const long last = static_cast<long>(layout_.RowCount()) - 1;
  const long target = std::clamp(row + rows, 0L, last);
  const platform::TextRow next = layout_.Row(static_cast<std::size_t>(target));
  const std::size_t position =
      layout_.PositionAt(next, x - TextLeft() - AlignmentOffset(next));
  const bool row_end = position == next.End && next.End != document_.LineEnd(next.Line) &&
                       position != next.Start;
  MoveCaret(position, extend, row_end);
  desired_x_ = x;
}

// ---------------------------------------------------------------------------
// The mouse

void TTextEditor::MouseDown(LPARAM where, bool extend, bool words) {
  SetFocus(Handle());
  const POINT point{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  bool row_end = false;
  std::size_t position = PositionAt(point, row_end);
  selecting_words_ = words;
  if (words) {
    // The character under the pointer, not the nearest gap.
    const std::size_t row = layout_.RowOf(position, row_end);
    const platform::TextRow text_row = layout_.Row(row);
    const int x = static_cast<int>(point.x + Scroller()->OriginX()) - TextLeft() -
                  AlignmentOffset(text_row);
    if (position > text_row.Start && layout_.XOf(text_row, position) > x) {
      position = platform::PreviousCharacter(document_, position);
    }
    platform::WordAround(document_, position, word_anchor_start_, word_anchor_end_);
    at_row_end_ = false;
    desired_x_ = -1;
    document_.Select(word_anchor_start_, word_anchor_end_);
  } else {
    MoveCaret(position, extend, row_end);
  }
  selecting_ = true;
  last_mouse_ = point;
  SetCapture(Handle());
}

void TTextEditor::MouseMove(LPARAM where) {
  last_mouse_ = POINT{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  bool row_end = false;
  const std::size_t position = PositionAt(last_mouse_, row_end);
  if (selecting_words_) {
    std::size_t start = 0;
    std::size_t end = 0;
    platform::WordAround(document_, position, start, end);
    if (position < word_anchor_start_) {
      document_.Select(word_anchor_end_, start);
    } else {
      document_.Select(word_anchor_start_, std::max(end, word_anchor_end_));
    }
  } else {
    at_row_end_ = row_end;
    document_.Select(document_.Anchor(), position);
  }
  const bool outside = last_mouse_.y < 0 || last_mouse_.y >= ClientHeight() ||
                       last_mouse_.x < 0 || last_mouse_.x >= ClientWidth();
  if (outside) {
    SetTimer(Handle(), kAutoScrollTimer, kAutoScrollMilliseconds, nullptr);
  } else {
    KillTimer(Handle(), kAutoScrollTimer);
  }
}

void TTextEditor::AutoScroll() {
  if (!selecting_) {
    KillTimer(Handle(), kAutoScrollTimer);
    return;
  }
  long dx = 0;
  long dy = 0;
  if (last_mouse_.y < 0) dy = -1 - (-last_mouse_.y) / row_height_;
  if (last_mouse_.y >= ClientHeight()) dy = 1 + (last_mouse_.y - ClientHeight()) / row_height_;
  if (last_mouse_.x < 0) dx = -4;
  if (last_mouse_.x >= ClientWidth()) dx = 4;
  Scroller()->ScrollBy(dx, dy);
  MouseMove(MAKELPARAM(last_mouse_.x, last_mouse_.y));
}

void TTextEditor::Wheel(int delta, bool horizontal) {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  wheel_rest_ += delta;
  const int notches = wheel_rest_ / WHEEL_DELTA;
  wheel_rest_ -= notches * WHEEL_DELTA;
  if (notches == 0) return;
  if (horizontal) {
    Scroller()->ScrollBy(-notches * 8, 0);
  } else if (lines == WHEEL_PAGESCROLL) {
    Scroller()->ScrollBy(0, -notches * std::max(1L, ClientHeight() / row_height_));
  } else {
    Scroller()->ScrollBy(0, -notches * static_cast<long>(lines));
  }
}

// ---------------------------------------------------------------------------
// Messages

LRESULT TTextEditor::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // The groups' handlers answer the messages they take; what they leave
  // goes to the default processing.
  std::optional<LRESULT> result;
  switch (message) {
    case WM_SIZE: {
      const LRESULT sized = TWindow::HandleMessage(message, wparam, lparam);
      SizeChanged(lparam);
      return sized;
    }
    case WM_ERASEBKGND:
      return 1;  // the painting fills every pixel
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FocusMessage(message, wparam);
      return 0;
    case WM_GETDLGCODE:
    case WM_KEYDOWN:
    case WM_CHAR:
      result = KeyMessage(message, wparam);
      break;
    case WM_SETCURSOR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_TIMER:
    case WM_RBUTTONDOWN:
      result = MouseMessage(message, wparam, lparam);
      break;
    case WM_MOUSEWHEEL:
      Wheel(GET_WHEEL_DELTA_WPARAM(wparam), (GET_KEYSTATE_WPARAM(wparam) & MK_SHIFT) != 0);
      return 0;
    case WM_MOUSEHWHEEL:
      Wheel(-GET_WHEEL_DELTA_WPARAM(wparam), true);
      return 0;
    case WM_IME_STARTCOMPOSITION:
      // The composition in the text's font, at the caret; the default
      // processing then starts it.
      if (const HIMC context = ImmGetContext(Handle())) {
        ImmSetCompositionFontW(context, &log_font_);
        ImmReleaseContext(Handle(), context);
      }
      PlaceCaret();
      break;
    default:
      result = EditMessage(message, wparam, lparam);
      break;
  }
  if (result) return *result;
  return TWindow::HandleMessage(message, wparam, lparam);
}

// After the window's new size has reached the scroller: a new wrap width,
// new scroll ranges, and the rows again when they are not left-aligned.
void TTextEditor::SizeChanged(LPARAM size) {
  if (word_wrap_) {
    const int margin = space_width_ / 2;
    const int width = std::max(1, LOWORD(size) - gutter_width_ - 2 * margin - caret_width_);
    if (width != layout_.WrapWidth()) {
      layout_.SetWrapWidth(width);
      InvalidateRect(Handle(), nullptr, FALSE);
    }
  }
  UpdateScrollRanges();
  if (alignment_ != Alignment::Left) InvalidateRect(Handle(), nullptr, FALSE);
  PlaceCaret();
}

// The caret exists only while the window has the focus.
void TTextEditor::FocusMessage(UINT message, WPARAM wparam) {
  if (message == WM_SETFOCUS) {
    has_focus_ = true;
    CreateCaret(Handle(), nullptr, caret_width_, row_height_);
    PlaceCaret();
    ShowCaret(Handle());
  } else {
    has_focus_ = false;
    HideCaret(Handle());
    DestroyCaret();
    if (OnFocusLost) OnFocusLost(reinterpret_cast<HWND>(wparam));
  }
}

// Keys and characters, OnKey asked first. A key the control has no use
// for goes on to the default processing.
std::optional<LRESULT> TTextEditor::KeyMessage(UINT message, WPARAM wparam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
    case WM_KEYDOWN:
      swallow_character_ = false;
      if (OnKey && OnKey(wparam)) {
        swallow_character_ = true;
        return 0;
      }
      if (KeyDown(wparam)) return 0;
      break;
    case WM_CHAR:
      if (swallow_character_) {
        swallow_character_ = false;
        return 0;
      }
      Character(static_cast<wchar_t>(wparam));
      if (OnTyped) OnTyped();
      return 0;
    default:
      break;
  }
  return std::nullopt;
}

// The mouse: the I-beam over the text, a selection dragged with the left
// button (scrolling on by the timer while the pointer is outside), and the
// right button's click.
std::optional<LRESULT> TTextEditor::MouseMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_IBEAM)));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      MouseDown(lparam, (wparam & MK_SHIFT) != 0, false);
      return 0;
    case WM_LBUTTONDBLCLK:
      MouseDown(lparam, false, true);
      return 0;
    case WM_MOUSEMOVE:
      if (selecting_) MouseMove(lparam);
      return 0;
    case WM_LBUTTONUP:
      if (selecting_) {
        selecting_ = false;
        KillTimer(Handle(), kAutoScrollTimer);
        ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      selecting_ = false;
      KillTimer(Handle(), kAutoScrollTimer);
      return 0;
    case WM_TIMER:
      if (wparam == kAutoScrollTimer) AutoScroll();
      return 0;
    case WM_RBUTTONDOWN: {
      SetFocus(Handle());
      // Outside the selection, the click moves the caret there.
      bool row_end = false;
      const std::size_t position =
          PositionAt(POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}, row_end);
      if (position < document_.SelectionStart() || position > document_.SelectionEnd()) {
        MoveCaret(position, false, row_end);
      }
      return 0;
    }
    default:
      break;
  }
  return std::nullopt;
}

// The messages of edit controls, for other programs and tools: positions
// are the document's units, text has CR LF line ends.
std::optional<LRESULT> TTextEditor::EditMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (const std::optional<LRESULT> result = EditTextMessage(message, wparam, lparam)) return result;
  return EditPlaceMessage(message, wparam, lparam);
}

// The text itself: reading and setting it, the clipboard, undo and the
// modified flag.
std::optional<LRESULT> TTextEditor::EditTextMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(ExternalText(0, document_.Length()).size());
    case WM_GETTEXT: {
      if (wparam == 0 || lparam == 0) return 0;
      const std::u16string text = ExternalText(0, document_.Length());
      const std::size_t count = std::min<std::size_t>(text.size(), wparam - 1);
      auto* target = reinterpret_cast<char16_t*>(lparam);
      std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(count), target);
      target[count] = u'\0';
      return static_cast<LRESULT>(count);
    }
    case WM_SETTEXT:
      document_.SetText(std::u16string(Units(lparam)), document_.NewLineEnd());
      return TRUE;
    case WM_CUT: Cut(); return 0;
    case WM_COPY: Copy(); return 0;
    case WM_PASTE: Paste(); return 0;
    case WM_CLEAR: DeleteSelection(); return 0;
    case WM_UNDO:
    case EM_UNDO:
      return document_.Undo() ? TRUE : FALSE;
    case EM_CANUNDO:
      return document_.CanUndo() ? TRUE : FALSE;
    case EM_REPLACESEL:
      document_.ReplaceSelection(platform::WithLineEnds(Units(lparam), document_.NewLineEnd()));
      return 0;
    case EM_GETMODIFY:
      return document_.Modified() ? TRUE : FALSE;
    case EM_SETMODIFY:
      document_.SetModified(wparam != 0);
      return 0;
    default:
      return std::nullopt;
  }
}

// Places in the text: the selection, the lines, the rows in view.
std::optional<LRESULT> TTextEditor::EditPlaceMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case EM_GETSEL: {
      const auto start = static_cast<DWORD>(document_.SelectionStart());
      const auto end = static_cast<DWORD>(document_.SelectionEnd());
      if (wparam != 0) *reinterpret_cast<DWORD*>(wparam) = start;
      if (lparam != 0) *reinterpret_cast<DWORD*>(lparam) = end;
      return MAKELRESULT(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
    }
    case EM_SETSEL: {
      const auto start = static_cast<long>(static_cast<int>(wparam));
      const auto end = static_cast<long>(static_cast<int>(lparam));
      const std::size_t length = document_.Length();
      if (start < 0) {
        document_.Select(document_.Caret(), document_.Caret());
      } else {
        document_.Select(static_cast<std::size_t>(start),
                         end < 0 ? length : static_cast<std::size_t>(end));
      }
      return 0;
    }
    case EM_GETLINECOUNT:
      return static_cast<LRESULT>(document_.LineCount());
    case EM_LINEINDEX: {
      const auto line = static_cast<int>(wparam);
      return static_cast<LRESULT>(
          document_.LineStart(line < 0 ? document_.LineOf(document_.Caret())
                                       : static_cast<std::size_t>(line)));
    }
    case EM_LINEFROMCHAR:
    case kExLineFromChar: {
      const auto position = static_cast<long>(message == EM_LINEFROMCHAR ? static_cast<int>(wparam)
                                                                         : lparam);
      return static_cast<LRESULT>(document_.LineOf(
          position < 0 ? document_.Caret() : static_cast<std::size_t>(position)));
    }
    case EM_GETFIRSTVISIBLELINE:
      return static_cast<LRESULT>(
          layout_.Row(static_cast<std::size_t>(Scroller()->YPos)).Line);
    case kGetGutterWidth:
      return gutter_width_;
    case kGetTopLineNumber:
      return static_cast<LRESULT>(
          layout_.Row(static_cast<std::size_t>(Scroller()->YPos)).Line + 1);
    case EM_SCROLLCARET:
      ScrollCaretIntoView();
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace mox::win
