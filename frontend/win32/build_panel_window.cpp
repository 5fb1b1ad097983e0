#include "frontend/win32/build_panel_window.h"

#include "platform/dpi_scale.h"
#include "platform/win32/framework/dpi.h"
#include "platform/win32/wide_text.h"

namespace mox::varelo {
namespace {

constexpr int kSummaryId = 1;
constexpr int kListId = 2;
// At 96 dpi: the panel, the totals line, the gaps round them.
constexpr int kPanelHeight = 150;
constexpr int kSummaryHeight = 20;
constexpr int kGap = 3;

}  // namespace

bool TBuildPanelWindow::CreateBuildPanel(HWND parent, std::function<void(std::size_t)> open_row) {
  open_row_ = std::move(open_row);
  if (!CreatePanel(parent, false)) return false;
  const int none[4] = {0, 0, 0, 0};
  summary_ = AddControl(L"STATIC", L"", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_CENTERIMAGE, none,
                        kSummaryId);
  list_ = AddControl(L"LISTBOX", L"",
                     WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP | LBS_NOTIFY |
                         LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
                     none, kListId);
  PlaceControls();
  return summary_ != nullptr && list_ != nullptr;
}

int TBuildPanelWindow::PanelHeight() const { return platform::ScaleToDpi(kPanelHeight, Dpi()); }

void TBuildPanelWindow::ApplyDpi() {
  TPanel::ApplyDpi();
  PlaceControls();
}

// The totals over the whole width, the list below them to the bottom.
void TBuildPanelWindow::PlaceControls() {
  if (summary_ == nullptr || list_ == nullptr) return;
  RECT client;
  GetClientRect(Handle(), &client);
  const int gap = platform::ScaleToDpi(kGap, Dpi());
  const int line = platform::ScaleToDpi(kSummaryHeight, Dpi());
  const int width = std::max(0L, client.right - 2 * gap);
  MoveWindow(summary_, gap, 0, width, line, TRUE);
  MoveWindow(list_, gap, line, width, std::max(0L, client.bottom - line - gap), TRUE);
}

void TBuildPanelWindow::Refresh() {
  SetWindowTextW(summary_, platform::Widen(model_.Summary()).c_str());
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  // The list scrolls sideways as far as its longest row.
  int widest = 0;
  HDC dc = GetDC(list_);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list_, WM_GETFONT, 0, 0)));
  for (const BuildPanelRow& row : model_.Rows()) {
    const std::wstring text = platform::Widen(row.Text);
    SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  SelectObject(dc, old);
  ReleaseDC(list_, dc);
  SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
  ShowSelected();
}

void TBuildPanelWindow::ShowSelected() {
  const std::optional<std::size_t> selected = model_.Selected();
  SendMessageW(list_, LB_SETCURSEL, selected ? static_cast<WPARAM>(*selected) : static_cast<WPARAM>(-1), 0);
}

LRESULT TBuildPanelWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SIZE) {
    PlaceControls();
    return 0;
  }
  if (message == WM_COMMAND && reinterpret_cast<HWND>(lparam) == list_ && list_ != nullptr) {
    const LRESULT row = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (row != LB_ERR) model_.Select(static_cast<std::size_t>(row));
    if (HIWORD(wparam) == LBN_DBLCLK && row != LB_ERR && open_row_) {
      open_row_(static_cast<std::size_t>(row));
    }
    return 0;
  }
  if (message == WM_VKEYTOITEM && reinterpret_cast<HWND>(lparam) == list_) {
    if (LOWORD(wparam) == VK_RETURN) {
      const LRESULT row = SendMessageW(list_, LB_GETCURSEL, 0, 0);
      if (row != LB_ERR && open_row_) open_row_(static_cast<std::size_t>(row));
      return -2;
    }
    return -1;
  }
  return TPanel::HandleMessage(message, wparam, lparam);
}

}  // namespace mox::varelo
