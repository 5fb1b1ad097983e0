#include "platform/win32/framework/print_preview.h"

namespace mox::win {

void TPreviewPage::Paint(HDC dc, const RECT& damaged, bool) {
  HDC drawn_into = printout_.Dc;
  printout_.Dc = dc;
  printout_.PrintPage(1, damaged);
  printout_.Dc = drawn_into;
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

INT_PTR TModalFrame::Execute(HWND owner) {
  owner_ = owner;
  if (!Create()) return IDCANCEL;
  ShowWindow(Handle(), SW_SHOWNORMAL);
  UpdateWindow(Handle());
  if (owner_ != nullptr) EnableWindow(owner_, FALSE);
  running_ = true;
  MSG message;
  while (running_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
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
