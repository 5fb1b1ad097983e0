#include "platform/win32/framework/font_dialog.h"

#include <commdlg.h>

#include "platform/win32/log_font.h"

namespace mox::win {

bool ChooseFontWithTemplate(HWND owner, const FontChooserSetup& setup, platform::LogFontA& font) {
  LOGFONTW wide = platform::WideLogFont(font);
  CHOOSEFONTW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.lpLogFont = &wide;
  choose.Flags = setup.Flags | CF_ENABLETEMPLATE;
  choose.rgbColors = RGB(0, 0, 0);
  choose.hInstance = GetModuleHandleW(nullptr);
  choose.lpTemplateName = MAKEINTRESOURCEW(setup.TemplateId);
  choose.nFontType = setup.FontType;
  choose.nSizeMin = setup.MinimumSize;
  choose.nSizeMax = setup.MaximumSize;
  if (!ChooseFontW(&choose)) return false;
  font = platform::NarrowLogFont(wide);
  return true;
}

bool ChooseScreenFont(HWND owner, LOGFONTW& font, COLORREF& color) {
  LOGFONTW chosen = font;
  CHOOSEFONTW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.lpLogFont = &chosen;
  choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  choose.rgbColors = color;
  if (!ChooseFontW(&choose)) return false;
  font = chosen;
  color = choose.rgbColors;
  return true;
}

}  // namespace mox::win
