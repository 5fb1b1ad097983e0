#include "platform/win32/framework/tool_bar.h"

#include <commctrl.h>

#include "platform/win32/framework/dpi.h"
#include "platform/win32/wide_text.h"

namespace mox::win {

bool TToolBar::Create(HWND owner, int control_id, std::vector<ToolBarButton> buttons,
                      ToolBarLayout layout, int dpi, HFONT font) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  buttons_ = std::move(buttons);
  layout_ = layout;
  dpi_ = dpi;
  const DWORD style = Captioned() ? WS_CLIPCHILDREN | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE |
                                        CCS_NORESIZE | CCS_NOPARENTALIGN
                                  : CCS_TOP;
  bar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | CCS_NODIVIDER |
                             style,
                         0, 0, 0, Captioned() ? Scaled(layout_.ButtonHeight, dpi) : 0, owner,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)),
                         GetModuleHandleW(nullptr), nullptr);
  if (bar_ == nullptr) return false;
  SendMessageW(bar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  if (Captioned()) {
    // The captions, each ended by a zero, the list by two; added once, they
    // keep their numbers when the buttons are made again.
    std::wstring captions;
    for (const ToolBarButton& button : buttons_) {
      captions += platform::Widen(button.Caption);
      captions.push_back(L'\0');
    }
    captions.push_back(L'\0');
    first_caption_ =
        SendMessageW(bar_, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(captions.c_str()));
  }
  Fill(font);
  return true;
}

void TToolBar::SetDpi(int dpi, HFONT font) {
  if (bar_ == nullptr || (dpi == dpi_ && font == nullptr)) return;
  dpi_ = dpi;
  Fill(font);
}

HFONT TToolBar::CaptionFont(HFONT given, Font& scaled) {
  const bool first = !filled_;
  if (given != nullptr) {
    SendMessageW(bar_, WM_SETFONT, reinterpret_cast<WPARAM>(given), FALSE);
    return given;
  }
  // The bar's own font, scaled when the DPI is not the system's.
  if (first) own_font_ = reinterpret_cast<HFONT>(SendMessageW(bar_, WM_GETFONT, 0, 0));
  HFONT font =
      own_font_ != nullptr ? own_font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (dpi_ != SystemDpi()) {
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    const LOGFONTW at_dpi = FontAtDpi(description, SystemDpi(), dpi_);
    scaled.Reset(CreateFontIndirectW(&at_dpi));
    if (scaled) font = scaled.Get();
  }
  if (!first || dpi_ != SystemDpi()) {
    SendMessageW(bar_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return font;
}

void TToolBar::SetGlyphs() {
  std::vector<int> glyph_ids;
  for (const ToolBarButton& button : buttons_) glyph_ids.push_back(button.BitmapId);
  ToolImages images(glyph_ids, layout_.GlyphSize, dpi_);
  const int size = images.Size();
  // A bar of glyphs filled again keeps the padding around them: the system
  // sets the buttons' size from the first glyphs only.
  const LRESULT button = SendMessageW(bar_, TB_GETBUTTONSIZE, 0, 0);
  SendMessageW(bar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(size, size));
  if (!Captioned() && glyph_pixels_ > 0) {
    SendMessageW(bar_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(LOWORD(button) - glyph_pixels_ + size,
                            HIWORD(button) - glyph_pixels_ + size));
  }
  glyph_pixels_ = size;
  SendMessageW(bar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
  images_ = std::move(images);  // the glyphs shown until now go
}

void TToolBar::Fill(HFONT given) {
  // The states the buttons have, kept when they are made again.
  std::vector<bool> enabled;
  for (const ToolBarButton& button : buttons_) {
    enabled.push_back(!filled_ || IsEnabled(button.CommandId));
  }
  while (SendMessageW(bar_, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(bar_, TB_DELETEBUTTON, 0, 0);
  Font scaled_font;
  HFONT font = CaptionFont(given, scaled_font);
  filled_ = true;
  scaled_font_ = std::move(scaled_font);  // the font the bar had goes now
  SetGlyphs();

  std::vector<TBBUTTON> items;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    TBBUTTON item{};
    item.iBitmap = static_cast<int>(i);
    item.idCommand = buttons_[i].CommandId;
    item.fsState = static_cast<BYTE>(enabled[i] ? TBSTATE_ENABLED : 0);
    item.fsStyle = BTNS_BUTTON;
    if (Captioned()) item.iString = static_cast<INT_PTR>(first_caption_ + static_cast<LRESULT>(i));
    items.push_back(item);
    if (buttons_[i].SeparatorAfter > 0) {
      TBBUTTON separator{};
      separator.iBitmap = Scaled(buttons_[i].SeparatorAfter, dpi_);
      separator.fsStyle = BTNS_SEP;
      items.push_back(separator);
    }
  }
  SendMessageW(bar_, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
  if (Captioned()) FitCaptions(font, glyph_pixels_);
  SendMessageW(bar_, TB_AUTOSIZE, 0, 0);
}

void TToolBar::FitCaptions(HFONT font, int glyph) {
  int width = glyph;
  {
    const WindowDc dc(bar_);
    const Selection selected(dc.Get(), font);
    for (const ToolBarButton& button : buttons_) {
      const std::wstring caption = platform::Widen(button.Caption);
      SIZE extent{};
      GetTextExtentPoint32W(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
      if (extent.cx > width) width = static_cast<int>(extent.cx);
    }
  }
  SendMessageW(bar_, TB_SETBUTTONSIZE, 0,
               MAKELPARAM(width + Scaled(10, dpi_), Scaled(layout_.ButtonHeight, dpi_)));
}

int TToolBar::Height() const {
  if (bar_ == nullptr) return 0;
  if (!Captioned()) {
    RECT bar{};
    GetWindowRect(bar_, &bar);
    return bar.bottom - bar.top;
  }
  // The bottom of the last row: the buttons wrap in a narrow bar.
  const LRESULT count = SendMessageW(bar_, TB_BUTTONCOUNT, 0, 0);
  RECT item{};
  if (count > 0 && SendMessageW(bar_, TB_GETITEMRECT, static_cast<WPARAM>(count - 1),
                                reinterpret_cast<LPARAM>(&item))) {
    return item.bottom + 2;
  }
  return Scaled(layout_.ButtonHeight, dpi_);
}

void TToolBar::SetEnabled(int command_id, bool enabled) {
  if (bar_ != nullptr) {
    SendMessageW(bar_, TB_ENABLEBUTTON, static_cast<WPARAM>(command_id), MAKELPARAM(enabled, 0));
  }
}

bool TToolBar::IsEnabled(int command_id) const {
  return bar_ != nullptr &&
         SendMessageW(bar_, TB_ISBUTTONENABLED, static_cast<WPARAM>(command_id), 0) != 0;
}

}  // namespace mox::win
