#include "platform/win32/framework/print_preview.h"

#include <algorithm>

namespace mox::win {

namespace {

// The page window's own message: draw the next band.
constexpr UINT kDrawNextBand = WM_APP + 1;
constexpr int kBandRows = 48;

}  // namespace

void TPreviewPage::Start() {
  started_ = true;
  drawn_ = Bitmap();
  if (Handle() != nullptr) {
    InvalidateRect(Handle(), nullptr, TRUE);
    PostMessageW(Handle(), kDrawNextBand, 0, 0);
  }
}

bool TPreviewPage::DrawNextBand() {
  RECT client{};
  GetClientRect(Handle(), &client);
  if (!started_ || client.right <= 0 || client.bottom <= 0) return false;
  const WindowDc screen(Handle());
  if (!drawn_ || drawn_size_.cx != client.right || drawn_size_.cy != client.bottom) {
    drawn_ = Bitmap(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    drawn_size_ = {client.right, client.bottom};
    drawn_rows_ = 0;
    if (!drawn_) return false;
  }
  if (drawn_rows_ >= client.bottom) return false;
  MemoryDc memory(screen.Get());
  Selection bitmap(memory.Get(), drawn_.Get());
  const RECT band{0, drawn_rows_, client.right, std::min<LONG>(client.bottom, drawn_rows_ + kBandRows)};
  FillRect(memory.Get(), &band, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HDC drawn_into = printout_.Dc;
  printout_.Dc = memory.Get();
  const int saved = SaveDC(memory.Get());
  IntersectClipRect(memory.Get(), band.left, band.top, band.right, band.bottom);
  printout_.PrintPage(1, band);
  RestoreDC(memory.Get(), saved);
  printout_.Dc = drawn_into;
  BitBlt(screen.Get(), 0, band.top, client.right, band.bottom - band.top, memory.Get(), 0, band.top,
         SRCCOPY);
  drawn_rows_ = band.bottom;
  return drawn_rows_ < client.bottom;
}

void TPreviewPage::Paint(HDC dc, const RECT& damaged, bool) {
  // The rows drawn so far come from the bitmap; the rest stays white paper
  // until its band is drawn.
  FillRect(dc, &damaged, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (!drawn_ || drawn_rows_ == 0) return;
  const WindowDc screen(Handle());
  MemoryDc memory(screen.Get());
  Selection bitmap(memory.Get(), drawn_.Get());
  const LONG bottom = std::min<LONG>(damaged.bottom, drawn_rows_);
  if (bottom > damaged.top) {
    BitBlt(dc, damaged.left, damaged.top, damaged.right - damaged.left, bottom - damaged.top,
           memory.Get(), damaged.left, damaged.top, SRCCOPY);
  }
}

LRESULT TPreviewPage::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kDrawNextBand) {
    if (DrawNextBand()) PostMessageW(Handle(), kDrawNextBand, 0, 0);
    return 0;
  }
  if (message == WM_SIZE && started_) {
    // Drawn again from the top at the new size.
    drawn_ = Bitmap();
    drawn_rows_ = 0;
    PostMessageW(Handle(), kDrawNextBand, 0, 0);
  }
  return TWindow::HandleMessage(message, wparam, lparam);
}

TLayoutWindow::TLayoutWindow(TPreviewPage& page, Placement place)
    : page_(page), place_(std::move(place)) {
  SetBackgroundColor(GetSysColor(COLOR_APPWORKSPACE));
}

LRESULT TLayoutWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CREATE) {
    // The frame gives its client scroll bars; the page always fits.
    ShowScrollBar(Handle(), SB_BOTH, FALSE);
    const RECT none{0, 0, 0, 0};
    page_.Create(Handle(), WS_CHILD | WS_VISIBLE | WS_BORDER, 0, L"", none);
  } else if (message == WM_SIZE && page_.Handle() != nullptr) {
    const RECT where = place_(LOWORD(lparam), HIWORD(lparam));
    MoveWindow(page_.Handle(), where.left, where.top, where.right - where.left,
               where.bottom - where.top, TRUE);
  }
  return TWindow::HandleMessage(message, wparam, lparam);
}

INT_PTR TModalFrame::Execute(HWND owner, const std::function<bool()>& prepare) {
  owner_ = owner;
  if (!Create()) return IDCANCEL;
  ShowWindow(Handle(), SW_SHOWNORMAL);
  UpdateWindow(Handle());
  if (owner_ != nullptr) EnableWindow(owner_, FALSE);
  running_ = true;
  if (prepare && !prepare()) DestroyWindow(Handle());
  MSG message;
  while (running_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
        (message.hwnd == Handle() || IsChild(Handle(), message.hwnd))) {
      DestroyWindow(Handle());
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // A quit that came during the loop belongs to the program's own loop.
  if (running_) PostQuitMessage(static_cast<int>(message.wParam));
  return IDCANCEL;
}

LRESULT TModalFrame::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    // The end of the preview, not of the program.
    running_ = false;
    if (owner_ != nullptr) EnableWindow(owner_, TRUE);
    return 0;
  }
  return TDecoratedFrame::HandleMessage(message, wparam, lparam);
}

}  // namespace mox::win
