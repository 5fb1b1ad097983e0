#include "platform/win32/framework/window.h"

#include <set>
#include <string>

#include "platform/win32/framework/dpi.h"
#include "platform/win32/gdi.h"
#include "platform/win32/wide_text.h"

namespace mox::win {
namespace {

// The property that names a window's object, for FromHandle: the user data
// of windows of other classes may hold anything.
constexpr wchar_t kWindowProperty[] = L"MoxWindowObject";

platform::ScrollRequest RequestOf(WORD code, bool& known) {
  known = true;
  switch (code) {
    case SB_LINEUP: return platform::ScrollRequest::LineUp;
    case SB_LINEDOWN: return platform::ScrollRequest::LineDown;
    case SB_PAGEUP: return platform::ScrollRequest::PageUp;
    case SB_PAGEDOWN: return platform::ScrollRequest::PageDown;
    case SB_TOP: return platform::ScrollRequest::Top;
    case SB_BOTTOM: return platform::ScrollRequest::Bottom;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return platform::ScrollRequest::Thumb;
    default: known = false; return platform::ScrollRequest::Top;
  }
}

}  // namespace

TWindow::TWindow() = default;

TWindow::~TWindow() {
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void TWindow::RegisterWindowClass(const wchar_t* name) {
  static std::set<std::wstring> registered;
  if (registered.count(name) != 0) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &TWindow::WindowProcedure;
  wc.hInstance = Instance();
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = name;
  if (RegisterClassExW(&wc) != 0) registered.insert(name);
}

bool TWindow::Create(HWND parent, DWORD style, DWORD ex_style, const wchar_t* caption,
                     const RECT& bounds, HMENU id_or_menu) {
  RegisterWindowClass(class_name_);
  const HWND created = CreateWindowExW(
      ex_style, class_name_, caption, style, bounds.left, bounds.top,
      bounds.right == CW_USEDEFAULT ? CW_USEDEFAULT : bounds.right - bounds.left,
      bounds.bottom == CW_USEDEFAULT ? CW_USEDEFAULT : bounds.bottom - bounds.top,
      parent, id_or_menu, Instance(), this);
  return created != nullptr;
}

bool TWindow::CreateTopLevel(const std::string& title, HMENU menu, int icon_id) {
  const RECT bounds{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
  if (!Create(nullptr, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, platform::Widen(title).c_str(),
              bounds, menu)) {
    return false;
  }
  if (icon_id != 0) {
    HICON icon = LoadIconW(Instance(), MAKEINTRESOURCEW(icon_id));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  return true;
}

void TWindow::SetBackgroundColor(COLORREF color) {
  background_ = color;
}

void TWindow::AttachScroller() {
  scroller_ = std::make_unique<platform::TScroller>(*this, 1, 1, 0, 0);
  if (hwnd_ != nullptr) {
    RECT client;
    GetClientRect(hwnd_, &client);
    scroller_->SetClientSize(client.right, client.bottom);
  }
}

LRESULT CALLBACK TWindow::WindowProcedure(HWND hwnd, UINT message, WPARAM wparam,
                                          LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    // An MDI child gets its creation parameter inside the MDI structure.
    auto* self = (create->dwExStyle & WS_EX_MDICHILD) != 0
                     ? reinterpret_cast<TWindow*>(
                           static_cast<MDICREATESTRUCTW*>(create->lpCreateParams)->lParam)
                     : static_cast<TWindow*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    self->dpi_ = WindowDpi(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    SetPropW(hwnd, kWindowProperty, self);
  }
  auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) {
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after the end.
    return (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0
               ? DefMDIChildProcW(hwnd, message, wparam, lparam)
               : DefWindowProcW(hwnd, message, wparam, lparam);
  }
  const LRESULT result = self->HandleMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    RemovePropW(hwnd, kWindowProperty);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

TWindow* TWindow::FromHandle(HWND window) {
  return window == nullptr ? nullptr : static_cast<TWindow*>(GetPropW(window, kWindowProperty));
}

int TWindow::Dpi() const {
  if (hwnd_ == nullptr) return dpi_;
  const HWND root = GetAncestor(hwnd_, GA_ROOT);
  const TWindow* top = root != hwnd_ ? FromHandle(root) : nullptr;
  return top != nullptr ? top->dpi_ : dpi_;
}

int TWindow::Scaled(int value) const { return platform::ScaleToDpi(value, Dpi()); }

SIZE TWindow::ClientSize() const {
  RECT client{};
  if (hwnd_ != nullptr) GetClientRect(hwnd_, &client);
  return {client.right, client.bottom};
}

LRESULT TWindow::DefaultProcessing(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd_, &client);
      Brush brush(CreateSolidBrush(background_));
      FillRect(reinterpret_cast<HDC>(wparam), &client, brush.Get());
      return 1;
    }
    case WM_PAINT: {
      PaintDc dc(hwnd_);
      RECT damaged = dc.Damaged();
      if (scroller_) {
        const long x = scroller_->OriginX();
        const long y = scroller_->OriginY();
        SetWindowOrgEx(dc.Get(), static_cast<int>(x), static_cast<int>(y), nullptr);
        OffsetRect(&damaged, static_cast<int>(x), static_cast<int>(y));
      }
      Paint(dc.Get(), damaged, dc.Erase());
      return 0;
    }
    case WM_SIZE:
      if (scroller_ && wparam != SIZE_MINIMIZED) {
        scroller_->SetClientSize(LOWORD(lparam), HIWORD(lparam));
      }
      return 0;
    case WM_DPICHANGED: {
      // The new DPI, and the size the system suggests for it (the same
      // look on the new monitor).
      dpi_ = LOWORD(wparam);
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      if (suggested != nullptr) {
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
      DpiChanged();
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (scroller_) {
        HandleScrollBar(message == WM_HSCROLL, wparam);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefaultProcessing(message, wparam, lparam);
}

void TWindow::HandleScrollBar(bool horizontal, WPARAM wparam) {
  bool known = false;
  const platform::ScrollRequest request = RequestOf(LOWORD(wparam), known);
  if (!known) return;
  long thumb = 0;
  if (request == platform::ScrollRequest::Thumb) {
    // The message carries only 16 bits of the position; ask for all of it.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(hwnd_, horizontal ? SB_HORZ : SB_VERT, &info);
    thumb = info.nTrackPos;
  }
  scroller_->HandleRequest(horizontal, request, thumb);
}

void TWindow::SetScrollBar(bool horizontal, long range, long page, long position) {
  if (hwnd_ == nullptr) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (horizontal ? keep_horizontal_bar_ : keep_vertical_bar_) info.fMask |= SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = static_cast<int>(range + page - 1);
  info.nPage = static_cast<UINT>(page);
  info.nPos = static_cast<int>(position);
  SetScrollInfo(hwnd_, horizontal ? SB_HORZ : SB_VERT, &info, TRUE);
}

void TWindow::ScrollContent(long dx, long dy) {
  if (hwnd_ == nullptr) return;
  ScrollWindowEx(hwnd_, static_cast<int>(dx), static_cast<int>(dy), nullptr, nullptr,
                 nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
  UpdateWindow(hwnd_);
}

}  // namespace mox::win
