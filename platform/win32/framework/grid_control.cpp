#include "platform/win32/framework/grid_control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/win32/framework/window_text.h"
#include "platform/win32/gdi.h"
#include "platform/win32/wide_text.h"

namespace mox::win {
namespace {

constexpr int kHeaderId = 1;
constexpr int kEditorId = 2;
constexpr UINT kReadHeader = WM_APP + 0x63;  // the header has a new order
constexpr int kEdgeSlack = 2;                // pixels around a row's lower edge
constexpr int kTextMargin = 3;
constexpr int kInitialColumnWidth = 64;

// Where the scroll bar's box is being dragged.
int TrackPosition(HWND window, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(window, bar, &info);
  return info.nTrackPos;
}

}  // namespace

TGridControl::TGridControl(std::vector<std::string> headings, std::size_t rows,
                           GridOptions options)
    : headings_(std::move(headings)),
      cells_(rows, std::vector<std::string>(headings_.size())),
      options_(options),
      layout_(rows, headings_.size(), options.RowHeight, kInitialColumnWidth) {
  SetWindowClass(kClassName);
  SetBackgroundColor(GetSysColor(COLOR_WINDOW));
}

TGridControl::~TGridControl() {
  // While the object is whole: the editor's messages come here to the end.
  if (Handle() != nullptr) DestroyWindow(Handle());
}

bool TGridControl::CreateGrid(HWND parent, int id, const RECT& box) {
  font_ = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
  if (font_ == nullptr) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!Create(parent, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN,
              WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT, L"", box,
              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)))) {
    return false;
  }
  // The rows' height is given at 96 dpi.
  for (std::size_t row = 0; row < layout_.Rows(); ++row) {
    layout_.SetRowHeight(row, Scaled(options_.RowHeight));
  }
  return CreateParts();
}

bool TGridControl::CreateInPlaceOf(HWND placeholder) {
  const HWND parent = GetParent(placeholder);
  RECT box{};
  GetWindowRect(placeholder, &box);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&box), 2);
  if (!CreateGrid(parent, GetDlgCtrlID(placeholder), box)) return false;
  SetWindowPos(Handle(), placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DestroyWindow(placeholder);
  return true;
}

bool TGridControl::CreateParts() {
  header_ = CreateWindowExW(0, WC_HEADERW, nullptr,
                            WS_CHILD | WS_VISIBLE | HDS_HORZ | HDS_BUTTONS | HDS_DRAGDROP |
                                HDS_FULLDRAG,
                            0, 0, 0, 0, Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHeaderId)), Instance(),
                            nullptr);
  if (header_ == nullptr) return false;
  SendMessageW(header_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  for (std::size_t column = 0; column < headings_.size(); ++column) {
    std::wstring text = platform::Widen(headings_[column]);
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.fmt = HDF_LEFT | HDF_STRING;
    item.cxy = layout_.ColumnWidth(column);
    item.pszText = text.data();
    SendMessageW(header_, HDM_INSERTITEMW, column, reinterpret_cast<LPARAM>(&item));
  }
  if (options_.Editable) {
    editor_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, Handle(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditorId)),
                              Instance(), nullptr);
    if (editor_ == nullptr) return false;
    SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SetWindowSubclass(editor_, &TGridControl::EditorProcedure, 0,
                      reinterpret_cast<DWORD_PTR>(this));
  }
  Layout();
  return true;
}

void TGridControl::SetCell(std::size_t row, std::size_t column, const std::string& text) {
  if (row >= cells_.size() || column >= headings_.size()) return;
  cells_[row][column] = text;
  if (editor_cell_ == platform::GridCell{row, column}) {
    editor_cell_.reset();  // the editor takes the new text
    PlaceEditor();
  }
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

const std::string& TGridControl::Cell(std::size_t row, std::size_t column) const {
  static const std::string kNone;
  if (row >= cells_.size() || column >= headings_.size()) return kNone;
  return cells_[row][column];
}

void TGridControl::SetColumnWidth(std::size_t column, int width) {
  layout_.SetColumnWidth(column, width);
  if (header_ != nullptr) {
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = layout_.ColumnWidth(column);
    SendMessageW(header_, HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
  }
  Layout();
}

void TGridControl::SetEditorFont(HFONT font) {
  if (editor_ != nullptr && font != nullptr) {
    SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    PlaceEditor();
  }
}

void TGridControl::SelectRow(std::size_t row) {
  if (row >= cells_.size()) return;
  MoveTo({row, current_.Column});
}

void TGridControl::ScrollRowToTop(std::size_t row) {
  layout_.SetTopRow(row, BodyHeight());
  Layout();
}

int TGridControl::BodyWidth() const { return ClientSize().cx; }

int TGridControl::BodyHeight() const {
  return std::max(0, static_cast<int>(ClientSize().cy) - header_height_);
}

void TGridControl::Layout() {
  if (Handle() == nullptr || header_ == nullptr) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  WINDOWPOS place{};
  HDLAYOUT request{&client, &place};
  SendMessageW(header_, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&request));
  header_height_ = place.cy;
  // Showing or hiding a scroll bar resizes the client area (and comes back
  // here); what follows reads the size again.
  UpdateScrollBars();
  GetClientRect(Handle(), &client);
  offset_x_ = std::clamp(offset_x_, 0, std::max(0, layout_.TotalWidth() - static_cast<int>(client.right)));
  SetWindowPos(header_, nullptr, -offset_x_, 0, client.right + offset_x_, header_height_,
               SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceEditor();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TGridControl::UpdateScrollBars() {
  layout_.SetTopRow(layout_.TopRow(), BodyHeight());
  SCROLLINFO vertical{};
  vertical.cbSize = sizeof vertical;
  vertical.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  vertical.nMax = static_cast<int>(cells_.empty() ? 0 : cells_.size() - 1);
  vertical.nPage = static_cast<UINT>(layout_.FullyVisibleRows(BodyHeight()));
  vertical.nPos = static_cast<int>(layout_.TopRow());
  SetScrollInfo(Handle(), SB_VERT, &vertical, TRUE);
  SCROLLINFO horizontal{};
  horizontal.cbSize = sizeof horizontal;
  horizontal.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  horizontal.nMax = std::max(0, layout_.TotalWidth() - 1);
  horizontal.nPage = static_cast<UINT>(std::max(1, BodyWidth()));
  horizontal.nPos = offset_x_;
  SetScrollInfo(Handle(), SB_HORZ, &horizontal, TRUE);
}

void TGridControl::ScrollVertically(WORD request) {
  const long page = static_cast<long>(layout_.FullyVisibleRows(BodyHeight()));
  long top = static_cast<long>(layout_.TopRow());
  switch (request) {
    case SB_LINEUP: --top; break;
    case SB_LINEDOWN: ++top; break;
    case SB_PAGEUP: top -= page; break;
    case SB_PAGEDOWN: top += page; break;
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = static_cast<long>(cells_.size()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: top = TrackPosition(Handle(), SB_VERT); break;
    default: return;
  }
  ScrollRowToTop(static_cast<std::size_t>(std::max(0L, top)));
}

void TGridControl::ScrollHorizontally(WORD request) {
  const int page = BodyWidth();
  int offset = offset_x_;
  switch (request) {
    case SB_LINELEFT: offset -= 16; break;
    case SB_LINERIGHT: offset += 16; break;
    case SB_PAGELEFT: offset -= page; break;
    case SB_PAGERIGHT: offset += page; break;
    case SB_LEFT: offset = 0; break;
    case SB_RIGHT: offset = layout_.TotalWidth(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: offset = TrackPosition(Handle(), SB_HORZ); break;
    default: return;
  }
  SetHorizontalOffset(offset);
}

void TGridControl::SetHorizontalOffset(int offset) {
  offset_x_ = std::max(0, offset);
  Layout();
}

void TGridControl::ReadHeader() {
  const std::size_t columns = headings_.size();
  std::vector<int> order(columns);
  if (SendMessageW(header_, HDM_GETORDERARRAY, columns, reinterpret_cast<LPARAM>(order.data()))) {
    layout_.SetOrder(std::vector<std::size_t>(order.begin(), order.end()));
  }
  for (std::size_t column = 0; column < columns; ++column) {
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    if (SendMessageW(header_, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item))) {
      layout_.SetColumnWidth(column, item.cxy);
    }
  }
  Layout();
}

std::optional<platform::GridCell> TGridControl::CellAt(int x, int y) const {
  const std::optional<std::size_t> row = layout_.RowAt(y - header_height_);
  const std::optional<std::size_t> column = layout_.ColumnAt(x + offset_x_);
  if (y < header_height_ || !row || !column) return std::nullopt;
  return platform::GridCell{*row, *column};
}

std::optional<RECT> TGridControl::CellBox(std::size_t row, std::size_t column) const {
  const std::optional<int> top = layout_.RowTop(row, BodyHeight());
  if (!top || column >= headings_.size()) return std::nullopt;
  const int left = layout_.ColumnLeft(column) - offset_x_;
  const int y = header_height_ + *top;
  return RECT{left, y, left + layout_.ColumnWidth(column), y + layout_.RowHeight(row)};
}

void TGridControl::MoveTo(platform::GridCell cell) {
  if (cell.Row >= cells_.size() || cell.Column >= headings_.size()) return;
  current_ = cell;
  selected_ = cell.Row;
  layout_.MakeVisible(cell.Row, BodyHeight());
  // The column comes into view too, its left edge first.
  const int left = layout_.ColumnLeft(cell.Column);
  const int right = left + layout_.ColumnWidth(cell.Column);
  if (right > offset_x_ + BodyWidth()) offset_x_ = right - BodyWidth();
  if (left < offset_x_) offset_x_ = left;
  Layout();
}

void TGridControl::MoveBy(long rows) {
  if (cells_.empty()) return;
  const long from = static_cast<long>(selected_.value_or(0));
  const long last = static_cast<long>(cells_.size()) - 1;
  MoveTo({static_cast<std::size_t>(std::clamp(from + rows, 0L, last)), current_.Column});
}

int TGridControl::EditorTextHeight() const {
  const HDC dc = GetDC(editor_);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(editor_, WM_GETFONT, 0, 0));
  const HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  if (old != nullptr) SelectObject(dc, old);
  ReleaseDC(editor_, dc);
  return static_cast<int>(metrics.tmHeight);
}

void TGridControl::PlaceEditor() {
  if (editor_ == nullptr) return;
  const std::optional<RECT> box =
      selected_ ? CellBox(current_.Row, current_.Column) : std::nullopt;
  if (!box) {
    ShowWindow(editor_, SW_HIDE);
    return;
  }
  // Sized before it takes a text: an editor too small for the text would
  // keep it scrolled out of sight. An edit box writes at its top: one as
  // high as its text, in the middle of the cell, puts the text where the
  // other cells have theirs.
  const int cell_height = box->bottom - box->top - 2;
  const int height = std::min(cell_height, EditorTextHeight() + 2);
  MoveWindow(editor_, box->left + 1, box->top + 1 + (cell_height - height) / 2,
             box->right - box->left - 2, height, TRUE);
  if (editor_cell_ != current_) {
    loading_editor_ = true;
    before_edit_ = cells_[current_.Row][current_.Column];
    SetWindowTextW(editor_, platform::Widen(before_edit_).c_str());
    loading_editor_ = false;
    editor_cell_ = current_;
    SendMessageW(editor_, EM_SETSEL, 0, -1);
  }
  const bool had_focus = GetFocus() == Handle() || GetFocus() == editor_;
  ShowWindow(editor_, SW_SHOWNA);
  if (had_focus) SetFocus(editor_);
}

bool TGridControl::HandleKey(WPARAM key) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const long page = static_cast<long>(layout_.FullyVisibleRows(BodyHeight()));
  switch (key) {
    case VK_UP: MoveBy(-1); return true;
    case VK_DOWN: MoveBy(1); return true;
    case VK_PRIOR: MoveBy(-page); return true;
    case VK_NEXT: MoveBy(page); return true;
    case VK_HOME:
      if (editor_ != nullptr) return false;  // the editor's own
      MoveBy(-static_cast<long>(cells_.size()));
      return true;
    case VK_END:
      if (editor_ != nullptr) return false;
      MoveBy(static_cast<long>(cells_.size()));
      return true;
    case VK_TAB:
      if (!options_.Editable) return false;
      if (const std::optional<platform::GridCell> next = layout_.NextCell(current_, shift)) {
        MoveTo(*next);
      }
      return true;
    default: return false;
  }
}

void TGridControl::Changed() {
  if (loading_editor_ || !editor_cell_) return;
  cells_[editor_cell_->Row][editor_cell_->Column] = WindowText(editor_);
}

LRESULT CALLBACK TGridControl::EditorProcedure(HWND editor, UINT message, WPARAM wparam,
                                               LPARAM lparam, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TGridControl*>(data);
  switch (message) {
    case WM_GETDLGCODE:
      // Tab, Enter and Escape belong to the grid, not to the dialog.
      return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS | DLGC_HASSETSEL;
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE) {
        SetWindowTextW(editor, platform::Widen(self->before_edit_).c_str());
        SendMessageW(editor, EM_SETSEL, 0, -1);
        return 0;
      }
      if (wparam == VK_RETURN) {
        SendMessageW(editor, EM_SETSEL, 0, -1);
        return 0;
      }
      if (self->HandleKey(wparam)) return 0;
      break;
    case WM_CHAR:
      if (wparam == L'\t' || wparam == L'\r' || wparam == 0x1B) return 0;  // no beep
      break;
    case WM_LBUTTONDBLCLK:
      if (self->on_double_click_) self->on_double_click_(self->current_.Row);
      return 0;
    case WM_LBUTTONUP: {
      const LRESULT result = DefSubclassProc(editor, message, wparam, lparam);
      if (self->on_click_) self->on_click_(self->current_.Row);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(editor, &TGridControl::EditorProcedure, 0);
      break;
    default: break;
  }
  return DefSubclassProc(editor, message, wparam, lparam);
}

void TGridControl::Paint(HDC dc, const RECT& damaged, bool) {
  RECT client{};
  GetClientRect(Handle(), &client);
  Selection font(dc, font_);
  Pen line(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)));
  Selection pen(dc, line.Get());
  SetBkMode(dc, TRANSPARENT);
  const int right = layout_.TotalWidth() - offset_x_;
  int y = header_height_;
  for (std::size_t row = layout_.TopRow(); row < cells_.size() && y < client.bottom; ++row) {
    const int height = layout_.RowHeight(row);
    if (y + height >= damaged.top && y <= damaged.bottom) {
      const bool marked = !options_.Editable && selected_ == row;
      if (marked) {
        RECT band{-offset_x_, y, right, y + height - 1};
        FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
      }
      SetTextColor(dc, GetSysColor(marked ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      for (std::size_t column : layout_.Order()) {
        const int left = layout_.ColumnLeft(column) - offset_x_;
        RECT text{left + kTextMargin, y, left + layout_.ColumnWidth(column) - 1, y + height - 1};
        const std::wstring wide = platform::Widen(cells_[row][column]);
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        MoveToEx(dc, text.right, y, nullptr);
        LineTo(dc, text.right, y + height);
      }
      MoveToEx(dc, -offset_x_, y + height - 1, nullptr);
      LineTo(dc, right, y + height - 1);
    }
    y += height;
  }
}

LRESULT TGridControl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // The groups' handlers answer the messages they take; what they leave
  // goes to the default processing.
  std::optional<LRESULT> result;
  switch (message) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
      ScrollMessage(message, wparam);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | (options_.Editable ? DLGC_WANTTAB : 0);
    case WM_SETFOCUS:
      if (editor_ != nullptr && IsWindowVisible(editor_)) SetFocus(editor_);
      return 0;
    case WM_KEYDOWN:
      if (HandleKey(wparam)) return 0;
      break;
    case WM_SETCURSOR:
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_LBUTTONDBLCLK:
      result = MouseMessage(message, lparam);
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case kReadHeader:
      result = ChildMessage(message, wparam, lparam);
      break;
    case kGetTopRow:
    case kGetSelectedRow:
    case kGetCellPoint:
      return QueryMessage(message, wparam, lparam);
    default:
      break;
  }
  if (result) return *result;
  return TWindow::HandleMessage(message, wparam, lparam);
}

// The scroll bars and the wheel, three rows a notch.
void TGridControl::ScrollMessage(UINT message, WPARAM wparam) {
  if (message == WM_VSCROLL) {
    ScrollVertically(LOWORD(wparam));
  } else if (message == WM_HSCROLL) {
    ScrollHorizontally(LOWORD(wparam));
  } else {
    const int steps = GET_WHEEL_DELTA_WPARAM(wparam) / WHEEL_DELTA;
    const long top = static_cast<long>(layout_.TopRow()) - 3L * steps;
    ScrollRowToTop(static_cast<std::size_t>(std::max(0L, top)));
  }
}

// The mouse: a row's lower edge dragged to resize the row (the cursor
// shows it), clicks and double-clicks on the cells.
std::optional<LRESULT> TGridControl::MouseMessage(UINT message, LPARAM lparam) {
  switch (message) {
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT) {
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(Handle(), &point);
        if (point.y >= header_height_ &&
            layout_.RowEdgeAt(point.y - header_height_, kEdgeSlack, BodyHeight())) {
          SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_SIZENS)));
          return TRUE;
        }
      }
      break;
    case WM_LBUTTONDOWN: {
      SetFocus(Handle());
      const int x = GET_X_LPARAM(lparam);
      const int y = GET_Y_LPARAM(lparam);
      if (y < header_height_) return 0;
      if (const std::optional<std::size_t> edge =
              layout_.RowEdgeAt(y - header_height_, kEdgeSlack, BodyHeight())) {
        resizing_row_ = edge;
        resize_top_ = header_height_ + layout_.RowTop(*edge, BodyHeight()).value_or(0);
        SetCapture(Handle());
        return 0;
      }
      if (const std::optional<platform::GridCell> cell = CellAt(x, y)) MoveTo(*cell);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (resizing_row_) {
        layout_.SetRowHeight(*resizing_row_, GET_Y_LPARAM(lparam) - resize_top_);
        Layout();
      }
      return 0;
    case WM_LBUTTONUP:
      if (resizing_row_) {
        resizing_row_.reset();
        ReleaseCapture();
        return 0;
      }
      if (const std::optional<platform::GridCell> cell =
              CellAt(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam))) {
        if (on_click_) on_click_(cell->Row);
      }
      return 0;
    case WM_CAPTURECHANGED:
      resizing_row_.reset();
      return 0;
    case WM_LBUTTONDBLCLK:
      if (const std::optional<platform::GridCell> cell =
              CellAt(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam))) {
        if (on_double_click_) on_double_click_(cell->Row);
      }
      return 0;
    default:
      break;
  }
  return std::nullopt;
}

// What the cell editor and the header tell the grid: an edit, a column
// resized or dragged into another order.
std::optional<LRESULT> TGridControl::ChildMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lparam) == editor_ && HIWORD(wparam) == EN_CHANGE) Changed();
      return 0;
    case WM_NOTIFY: {
      const auto* note = reinterpret_cast<const NMHDR*>(lparam);
      if (note->hwndFrom != header_) break;
      if (note->code == HDN_ITEMCHANGEDW || note->code == HDN_ITEMCHANGEDA) {
        ReadHeader();
      } else if (note->code == HDN_ENDDRAG) {
        // The header takes its new order only after this notification.
        PostMessageW(Handle(), kReadHeader, 0, 0);
      }
      return 0;
    }
    case kReadHeader:
      ReadHeader();
      return 0;
    default:
      break;
  }
  return std::nullopt;
}

// Another program's questions about the grid.
LRESULT TGridControl::QueryMessage(UINT message, WPARAM wparam, LPARAM lparam) const {
  switch (message) {
    case kGetTopRow:
      return static_cast<LRESULT>(layout_.TopRow());
    case kGetSelectedRow:
      return selected_ ? static_cast<LRESULT>(*selected_) : -1;
    case kGetCellPoint: {
      const std::optional<RECT> box =
          CellBox(static_cast<std::size_t>(wparam), static_cast<std::size_t>(lparam));
      if (!box) return -1;
      return MAKELONG((box->left + box->right) / 2, (box->top + box->bottom) / 2);
    }
    default:
      return 0;  // only the queries come here
  }
}

}  // namespace mox::win
