#include "frontend/win32/frame_panels.h"

#include <windowsx.h>

#include "frontend/core/palette_tables.h"
#include "frontend/forms/frame_layout.h"
#include "platform/dpi_scale.h"
#include "platform/win32/framework/dpi.h"
#include "platform/win32/framework/scaled_bitmap.h"
#include "platform/win32/wide_text.h"

namespace mox::varelo {
namespace {

constexpr int kSymbolBoxId = 1;
constexpr int kHideButtonId = 2;
constexpr int kImageId = 3;
// The buttons of a button bar, numbered from here in their order.
constexpr int kFirstBarButtonId = 100;

HWND MakeControl(HWND parent, const wchar_t* window_class, const std::wstring& text, DWORD style,
                 const platform::ScaledBox& box, int id, int dpi) {
  HWND control = CreateWindowExW(0, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                 box.X, box.Y, box.Width, box.Height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(win::InterfaceFont(dpi)), FALSE);
  return control;
}

void Place(HWND control, const platform::ScaledBox& box, int dpi) {
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(win::InterfaceFont(dpi)), FALSE);
  MoveWindow(control, box.X, box.Y, box.Width, box.Height, TRUE);
}

}  // namespace

TPanel::TPanel() { SetBackgroundColor(GetSysColor(COLOR_BTNFACE)); }

HWND TPanel::AddControl(const wchar_t* window_class, const std::wstring& text, DWORD style,
                        const int (&box)[4], int id) {
  HWND control = MakeControl(Handle(), window_class, text, style,
                             platform::ScaleToDpi(box, Dpi()), id, Dpi());
  if (control != nullptr) placed_.push_back({control, {box[0], box[1], box[2], box[3]}});
  return control;
}

void TPanel::ApplyDpi() {
  for (const Placed& placed : placed_) {
    Place(placed.Control, platform::ScaleToDpi(placed.Box, Dpi()), Dpi());
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

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
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    const HWND button = MakeControl(Handle(), L"BUTTON", platform::Widen(captions_[i]),
                                    BS_OWNERDRAW, {}, kFirstBarButtonId + static_cast<int>(i),
                                    Dpi());
    if (button == nullptr) return false;
    buttons_.push_back(button);
  }
  RECT client{};
  GetClientRect(Handle(), &client);
  PlaceButtons(client.right, true);
  OnControlCommand([this, clicked = std::move(clicked)](int id) {
    const int index = id - kFirstBarButtonId;
    if (index >= 0 && static_cast<std::size_t>(index) < captions_.size()) {
      clicked(static_cast<std::size_t>(index));
    }
  });
  return true;
}

int TButtonBar::PlaceButtons(int width, bool move) const {
  const win::WindowDc screen(Handle());
  const win::Selection font(screen.Get(), win::InterfaceFont(Dpi()));
  const int gap = Scaled(layout::kBarButtonGap);
  int x = gap;
  int row = 0;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const std::wstring caption = platform::Widen(captions_[i]);
    SIZE text{};
    GetTextExtentPoint32W(screen.Get(), caption.c_str(), static_cast<int>(caption.size()), &text);
    const int button = text.cx + Scaled(layout::kBarButtonPadding);
    // A button that would reach past the bar's end starts the next row
    // (a row holds at least one).
    if (x > gap && x + button > width) {
      x = gap;
      ++row;
    }
    if (move) {
      const platform::ScaledBox box{
          x, row * Scaled(layout::kButtonBarHeight) + Scaled(layout::kBarButtonTop), button,
          Scaled(layout::kBarButtonHeight)};
      Place(buttons_[i], box, Dpi());
    }
    x += button + gap;
  }
  return row + 1;
}

int TButtonBar::HeightFor(int width) const {
  return PlaceButtons(width, false) * Scaled(layout::kButtonBarHeight);
}

void TButtonBar::ApplyDpi() {
  RECT client{};
  GetClientRect(Handle(), &client);
  PlaceButtons(client.right, true);
  TPanel::ApplyDpi();
}

LRESULT TButtonBar::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SIZE && !buttons_.empty()) PlaceButtons(LOWORD(lparam), true);
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
  win::Selection font(item.hDC, win::InterfaceFont(Dpi()));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, text_color_);
  DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &box,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

TPictureBox::TPictureBox() { SetBackgroundColor(GetSysColor(COLOR_BTNFACE)); }

bool TPictureBox::CreateBox(HWND parent, const platform::ScaledBox& box) {
  const RECT bounds{box.X, box.Y, box.X + box.Width, box.Y + box.Height};
  return Create(parent, WS_CHILD | WS_VISIBLE, 0, L"", bounds,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kImageId)));
}

bool TPictureBox::Load(const std::string& path) {
  win::Bitmap loaded(static_cast<HBITMAP>(LoadImageW(nullptr, platform::Widen(path).c_str(),
                                                     IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  BITMAP info{};
  if (!loaded || GetObjectW(loaded.Get(), sizeof info, &info) == 0) return false;
  picture_ = std::move(loaded);
  ApplyDpi();
  return true;
}

void TPictureBox::ApplyDpi() {
  shown_ = win::ScaledBitmap(picture_.Get(), Dpi(), false);
  BITMAP info{};
  size_ = shown_ && GetObjectW(shown_.Get(), sizeof info, &info) != 0
              ? SIZE{info.bmWidth, info.bmHeight}
              : SIZE{0, 0};
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TPictureBox::OnPointer(std::function<void(int, int)> moved, std::function<void()> clicked) {
  moved_ = std::move(moved);
  clicked_ = std::move(clicked);
}

void TPictureBox::Paint(HDC dc, const RECT&, bool) {
  if (!shown_) return;
  win::MemoryDc source(dc);
  win::Selection picture(source.Get(), shown_.Get());
  // Drawn as scaled, pixel for pixel: the window clips what lies beyond it.
  BitBlt(dc, 0, 0, size_.cx, size_.cy, source.Get(), 0, 0, SRCCOPY);
}

LRESULT TPictureBox::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEMOVE:
      // The palettes' cells are measured in the picture's own pixels.
      if (moved_) {
        moved_(platform::PicturePixelAt(GET_X_LPARAM(lparam), Dpi()),
               platform::PicturePixelAt(GET_Y_LPARAM(lparam), Dpi()));
      }
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
  symbol_box_ = AddControl(L"EDIT", L"", WS_BORDER | ES_READONLY | ES_MULTILINE | ES_AUTOHSCROLL,
                           layout::kSymbolBox, kSymbolBoxId);
  AddControl(L"BUTTON", L"x", BS_PUSHBUTTON, layout::kHideButton, kHideButtonId);
  if (!image_.CreateBox(Handle(), platform::ScaleToDpi(layout::kPaletteImage, Dpi()))) {
    return false;
  }
  image_.OnPointer(std::move(handlers.PointerMoved), std::move(handlers.Clicked));
  // Image1's hint, shown while the pointer rests on the picture.
  hints_.Add(Handle(), image_.Handle(), std::string(kPaletteHint));
  OnControlCommand([hide = std::move(handlers.Hide)](int id) {
    if (id == kHideButtonId && hide) hide();
  });
  return symbol_box_ != nullptr;
}

void TPalettePanel::ApplyDpi() {
  TPanel::ApplyDpi();
  const platform::ScaledBox box = platform::ScaleToDpi(layout::kPaletteImage, Dpi());
  MoveWindow(image_.Handle(), box.X, box.Y, box.Width, box.Height, TRUE);
  image_.ApplyDpi();
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
  AddControl(L"STATIC", platform::Widen("光标"), SS_CENTER, caption_box, 1);
  value_ = AddControl(L"STATIC", L"", SS_CENTER | SS_SUNKEN, value_box, 2);
  return value_ != nullptr;
}

void TCaretBox::SetPosition(const std::string& text) {
  SetWindowTextW(value_, platform::Widen(text).c_str());
}

}  // namespace mox::varelo
