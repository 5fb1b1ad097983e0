#include "frontend/win32/frame_panels.h"

#include <commctrl.h>

#include "frontend/forms/frame_layout.h"
#include "platform/win32/wide_text.h"

namespace mox::varelo {
namespace {

constexpr int kSymbolBoxId = 1;
constexpr int kHideButtonId = 2;
constexpr int kImageId = 3;

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

bool TPalettePanel::CreateControls(std::function<void()> hide) {
  symbol_box_ = MakeControl(Handle(), L"EDIT", L"", WS_BORDER | ES_READONLY | ES_AUTOHSCROLL,
                            layout::kSymbolBox, kSymbolBoxId);
  MakeControl(Handle(), L"BUTTON", L"x", BS_PUSHBUTTON, layout::kHideButton, kHideButtonId);
  image_ = MakeControl(Handle(), L"STATIC", L"", SS_NOTIFY | SS_WHITEFRAME, layout::kPaletteImage,
                       kImageId);
  // Image1's hint, shown while the pointer rests on the picture.
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                          0, 0, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  std::wstring hint = platform::Widen("请单击鼠标键选择 ");
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(image_);
  tool.lpszText = hint.data();
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  OnControlCommand([hide = std::move(hide)](int id) {
    if (id == kHideButtonId) hide();
  });
  return symbol_box_ != nullptr && image_ != nullptr;
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
