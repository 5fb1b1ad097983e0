#include "platform/win32/framework/text_tool_bar.h"

#include <commctrl.h>

#include "platform/win32/gdi.h"
#include "platform/win32/wide_text.h"

namespace mox::win {

bool TTextToolBar::Create(HWND owner, int control_id, const std::vector<CaptionedButton>& buttons,
                          int glyph_size, int button_height) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  button_height_ = button_height;
  bar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TBSTYLE_FLAT |
                             TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                         0, 0, 0, button_height, owner,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)),
                         GetModuleHandleW(nullptr), nullptr);
  if (bar_ == nullptr) return false;
  SendMessageW(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(glyph_size, glyph_size));

  // The captions, each ended by a zero, the list by two.
  std::wstring captions;
  for (const CaptionedButton& button : buttons) {
    captions += platform::Widen(button.Caption);
    captions.push_back(L'\0');
  }
  captions.push_back(L'\0');
  const LRESULT first_caption =
      SendMessageW(bar_, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(captions.c_str()));

  std::vector<TBBUTTON> items;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    TBADDBITMAP bitmap{GetModuleHandleW(nullptr), static_cast<UINT_PTR>(buttons[i].BitmapId)};
    const LRESULT image =
        SendMessageW(bar_, TB_ADDBITMAP, 1, reinterpret_cast<LPARAM>(&bitmap));
    TBBUTTON item{};
    item.iBitmap = static_cast<int>(image);
    item.idCommand = buttons[i].CommandId;
    item.fsState = TBSTATE_ENABLED;
    item.fsStyle = BTNS_BUTTON;
    item.iString = static_cast<INT_PTR>(first_caption + static_cast<LRESULT>(i));
    items.push_back(item);
  }
  SendMessageW(bar_, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
  // Every button as wide as the widest caption needs, and as high as asked.
  int width = glyph_size;
  {
    const WindowDc dc(bar_);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(bar_, WM_GETFONT, 0, 0));
    const Selection selected(dc.Get(), font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    for (const CaptionedButton& button : buttons) {
      const std::wstring caption = platform::Widen(button.Caption);
      SIZE extent{};
      GetTextExtentPoint32W(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
      if (extent.cx > width) width = static_cast<int>(extent.cx);
    }
  }
  SendMessageW(bar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(width + 10, button_height));
  SendMessageW(bar_, TB_AUTOSIZE, 0, 0);
  return true;
}

int TTextToolBar::Height() const {
  if (bar_ == nullptr) return 0;
  RECT item{};
  if (SendMessageW(bar_, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item))) {
    return item.bottom + 2;
  }
  return button_height_;
}

void TTextToolBar::SetEnabled(int command_id, bool enabled) {
  if (bar_ != nullptr) {
    SendMessageW(bar_, TB_ENABLEBUTTON, static_cast<WPARAM>(command_id), MAKELPARAM(enabled, 0));
  }
}

bool TTextToolBar::IsEnabled(int command_id) const {
  return bar_ != nullptr &&
         SendMessageW(bar_, TB_ISBUTTONENABLED, static_cast<WPARAM>(command_id), 0) != 0;
}

}  // namespace mox::win
