#include "platform/win32/framework/text_tool_bar.h"

#include <commctrl.h>

#include "platform/win32/framework/dpi.h"
#include "platform/win32/framework/scaled_bitmap.h"
#include "platform/win32/gdi.h"
#include "platform/win32/wide_text.h"

namespace mox::win {

bool TTextToolBar::Create(HWND owner, int control_id, const std::vector<CaptionedButton>& buttons,
                          int glyph_size, int button_height, int dpi) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  buttons_ = buttons;
  glyph_size_ = glyph_size;
  button_height_ = button_height;
  dpi_ = dpi;
  bar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TBSTYLE_FLAT |
                             TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | CCS_NODIVIDER | CCS_NORESIZE |
                             CCS_NOPARENTALIGN,
                         0, 0, 0, Scaled(button_height, dpi), owner,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)),
                         GetModuleHandleW(nullptr), nullptr);
  if (bar_ == nullptr) return false;
  SendMessageW(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  // The captions, each ended by a zero, the list by two; added once, they
  // keep their numbers when the buttons are made again.
  std::wstring captions;
  for (const CaptionedButton& button : buttons) {
    captions += platform::Widen(button.Caption);
    captions.push_back(L'\0');
  }
  captions.push_back(L'\0');
  first_caption_ = SendMessageW(bar_, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(captions.c_str()));
  Fill();
  return true;
}

void TTextToolBar::SetDpi(int dpi) {
  if (bar_ == nullptr || dpi == dpi_) return;
  dpi_ = dpi;
  Fill();
}

void TTextToolBar::Fill() {
  // The states the buttons have, kept across a new DPI.
  std::vector<bool> enabled;
  for (const CaptionedButton& button : buttons_) enabled.push_back(IsEnabled(button.CommandId));
  while (SendMessageW(bar_, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(bar_, TB_DELETEBUTTON, 0, 0);
  const bool first = !filled_;
  filled_ = true;
  // The bar's own font, scaled when the DPI is not the system's.
  if (first) own_font_ = reinterpret_cast<HFONT>(SendMessageW(bar_, WM_GETFONT, 0, 0));
  HFONT font =
      own_font_ != nullptr ? own_font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  Font scaled_font;
  if (dpi_ != SystemDpi()) {
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    const LOGFONTW scaled = FontAtDpi(description, SystemDpi(), dpi_);
    scaled_font.Reset(CreateFontIndirectW(&scaled));
    if (scaled_font) font = scaled_font.Get();
  }
  if (!first || dpi_ != SystemDpi()) {
    SendMessageW(bar_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  scaled_font_ = std::move(scaled_font);  // the font the bar had goes now
  std::vector<int> glyph_ids;
  for (const CaptionedButton& button : buttons_) glyph_ids.push_back(button.BitmapId);
  ToolImages images(glyph_ids, glyph_size_, dpi_);
  const int glyph = images.Size();
  const int height = Scaled(button_height_, dpi_);
  SendMessageW(bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(glyph, glyph));
  SendMessageW(bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
  images_ = std::move(images);  // the glyphs shown until now go

  std::vector<TBBUTTON> items;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    TBBUTTON item{};
    item.iBitmap = static_cast<int>(i);
    item.idCommand = buttons_[i].CommandId;
    item.fsState = static_cast<BYTE>(first || enabled[i] ? TBSTATE_ENABLED : 0);
    item.fsStyle = BTNS_BUTTON;
    item.iString = static_cast<INT_PTR>(first_caption_ + static_cast<LRESULT>(i));
    items.push_back(item);
  }
  SendMessageW(bar_, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
  // Every button as wide as the widest caption needs, and as high as asked.
  int width = glyph;
  {
    const WindowDc dc(bar_);
    const Selection selected(dc.Get(), font);
    for (const CaptionedButton& button : buttons_) {
      const std::wstring caption = platform::Widen(button.Caption);
      SIZE extent{};
      GetTextExtentPoint32W(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
      if (extent.cx > width) width = static_cast<int>(extent.cx);
    }
  }
  SendMessageW(bar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(width + Scaled(10, dpi_), height));
  SendMessageW(bar_, TB_AUTOSIZE, 0, 0);
}

int TTextToolBar::Height() const {
  if (bar_ == nullptr) return 0;
  // The bottom of the last row: the buttons wrap in a narrow bar.
  const LRESULT count = SendMessageW(bar_, TB_BUTTONCOUNT, 0, 0);
  RECT item{};
  if (count > 0 &&
      SendMessageW(bar_, TB_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&item))) {
    return item.bottom + 2;
  }
  return Scaled(button_height_, dpi_);
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
