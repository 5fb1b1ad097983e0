#include "frontend/win32/frame_panels.h"

#include <windowsx.h>

#include "frontend/core/palette_tables.h"
#include "frontend/forms/frame_layout.h"
#include "platform/win32/wide_text.h"

namespace mox::varelo {
namespace {

constexpr int kSymbolBoxId = 1;
constexpr int kHideButtonId = 2;
constexpr int kImageId = 3;
// The buttons of a button bar, numbered from here in their order.
constexpr int kFirstBarButtonId = 100;

HFONT InterfaceFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HWND MakeControl(HWND parent, const wchar_t* window_class, const std::wstring& text, DWORD style,
                 const int (&box)[4], int id) {
  HWND control = CreateWindowExW(0, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                 box[0], box[1], box[2], box[3], parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(InterfaceFont()), FALSE);
  return control;
}

}  // namespace

TPanel::TPanel() { SetBackgroundColor(GetSysColor(COLOR_BTNFACE)); }

bool TPanel::CreatePanel(HWND parent, bool visible) {
  const RECT none{0, 0, 0, 0};
  return Create(parent, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0),
                0, L"", none);
}

LRESULT TPanel::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && lparam != 0 && handler_) {
    handler_(LOWORD(wparam));
    return 0;
  }
  return TWindow::HandleMessage(message, wparam, lparam);
}

bool TButtonBar::CreateButtons(const std::vector<std::string>& captions,
                               std::function<void(std::size_t)> clicked) {
  captions_ = captions;
  win::WindowDc screen(Handle());
  win::Selection font(screen.Get(), InterfaceFont());
  int x = layout::kBarButtonGap;
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    const std::wstring caption = platform::Widen(captions_[i]);
    SIZE text{};
    GetTextExtentPoint32W(screen.Get(), caption.c_str(), static_cast<int>(caption.size()), &text);
    const int box[4] = {x, layout::kBarButtonTop, text.cx + layout::kBarButtonPadding,
                        layout::kBarButtonHeight};
    if (MakeControl(Handle(), L"BUTTON", caption, BS_OWNERDRAW, box,
                    kFirstBarButtonId + static_cast<int>(i)) == nullptr) {
      return false;
    }
    x += box[2] + layout::kBarButtonGap;
  }
  OnControlCommand([this, clicked = std::move(clicked)](int id) {
    const int index = id - kFirstBarButtonId;
    if (index >= 0 && static_cast<std::size_t>(index) < captions_.size()) {
      clicked(static_cast<std::size_t>(index));
    }
  });
  return true;
}

LRESULT TButtonBar::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DRAWITEM) {
    DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
    return TRUE;
  }
  return TPanel::HandleMessage(message, wparam, lparam);
}

void TButtonBar::DrawButton(const DRAWITEMSTRUCT& item) const {
  const bool pushed = (item.itemState & ODS_SELECTED) != 0;
  RECT box = item.rcItem;
  DrawFrameControl(item.hDC, &box, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  const int index = static_cast<int>(item.CtlID) - kFirstBarButtonId;
  if (index < 0 || static_cast<std::size_t>(index) >= captions_.size()) return;
  const std::wstring caption = platform::Widen(captions_[static_cast<std::size_t>(index)]);
  // A pushed button's caption moves with its face.
  if (pushed) OffsetRect(&box, 1, 1);
  win::Selection font(item.hDC, InterfaceFont());
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, text_color_);
  DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &box,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

TPictureBox::TPictureBox() { SetBackgroundColor(GetSysColor(COLOR_BTNFACE)); }

bool TPictureBox::CreateBox(HWND parent, const int (&box)[4]) {
  const RECT bounds{box[0], box[1], box[0] + box[2], box[1] + box[3]};
  return Create(parent, WS_CHILD | WS_VISIBLE, 0, L"", bounds,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kImageId)));
}

bool TPictureBox::Load(const std::string& path) {
  win::Bitmap loaded(static_cast<HBITMAP>(LoadImageW(nullptr, platform::Widen(path).c_str(),
                                                     IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  BITMAP info{};
  if (!loaded || GetObjectW(loaded.Get(), sizeof info, &info) == 0) return false;
  picture_ = std::move(loaded);
  size_ = {info.bmWidth, info.bmHeight};
  InvalidateRect(Handle(), nullptr, TRUE);
  return true;
}

void TPictureBox::OnPointer(std::function<void(int, int)> moved, std::function<void()> clicked) {
  moved_ = std::move(moved);
  clicked_ = std::move(clicked);
}

void TPictureBox::Paint(HDC dc, const RECT&, bool) {
  if (!picture_) return;
  win::MemoryDc source(dc);
  win::Selection picture(source.Get(), picture_.Get());
  // One picture pixel to one screen pixel: the palettes' cells are measured
  // in the picture's pixels. The window clips what lies beyond it.
  BitBlt(dc, 0, 0, size_.cx, size_.cy, source.Get(), 0, 0, SRCCOPY);
}

LRESULT TPictureBox::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (moved_) moved_(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second click is a click too
      pressed_ = true;
      SetCapture(Handle());
      return 0;
    case WM_LBUTTONUP: {
      const bool was_pressed = pressed_;
      pressed_ = false;
      ReleaseCapture();
      RECT client;
      GetClientRect(Handle(), &client);
      const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      // A press that ends off the picture is no click.
      if (was_pressed && PtInRect(&client, at) && clicked_) clicked_();
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
    default:
      return TWindow::HandleMessage(message, wparam, lparam);
  }
}

bool TPalettePanel::CreateControls(Handlers handlers) {
  // Multi-line, so that a symbol's CR LF stays in the box whole for the
  // click to copy; it still shows one line.
  symbol_box_ = MakeControl(Handle(), L"EDIT", L"",
                            WS_BORDER | ES_READONLY | ES_MULTILINE | ES_AUTOHSCROLL,
                            layout::kSymbolBox, kSymbolBoxId);
  MakeControl(Handle(), L"BUTTON", L"x", BS_PUSHBUTTON, layout::kHideButton, kHideButtonId);
  if (!image_.CreateBox(Handle(), layout::kPaletteImage)) return false;
  image_.OnPointer(std::move(handlers.PointerMoved), std::move(handlers.Clicked));
  // Image1's hint, shown while the pointer rests on the picture.
  hints_.Add(Handle(), image_.Handle(), std::string(kPaletteHint));
  OnControlCommand([hide = std::move(handlers.Hide)](int id) {
    if (id == kHideButtonId && hide) hide();
  });
  return symbol_box_ != nullptr;
}

std::string TPalettePanel::Symbol() const {
  const int length = GetWindowTextLengthW(symbol_box_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(symbol_box_, text.data(), length + 1)));
  return platform::Narrow(text);
}

void TPalettePanel::SetSymbol(const std::string& text) {
  // Only a change is written: the box would flicker on every move.
  if (Symbol() != text) SetWindowTextW(symbol_box_, platform::Widen(text).c_str());
}

bool TCaretBox::CreateLabels() {
  const int half = layout::kCaretLabelHeight;
  const int caption_box[4] = {0, 2, layout::kCaretBoxWidth, half};
  const int value_box[4] = {0, 2 + half, layout::kCaretBoxWidth, half};
  MakeControl(Handle(), L"STATIC", platform::Widen("光标"), SS_CENTER, caption_box, 1);
  value_ = MakeControl(Handle(), L"STATIC", L"", SS_CENTER | SS_SUNKEN, value_box, 2);
  return value_ != nullptr;
}

void TCaretBox::SetPosition(const std::string& text) {
  SetWindowTextW(value_, platform::Widen(text).c_str());
}

}  // namespace mox::varelo
