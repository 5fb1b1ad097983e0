// The system's font chooser with a dialog template of the program's own,
// starting from and returning a logical font with a GBK face name.
#pragma once

#include <windows.h>

#include "platform/glyph_rasterizer.h"

namespace mox::win {

struct FontChooserSetup {
  int TemplateId = 0;          // a dialog template in the program's resources
  DWORD Flags = 0;             // CF_... flags besides the template's own
  WORD FontType = 0;           // SCREEN_FONTTYPE and the like
  int MinimumSize = 0;         // with CF_LIMITSIZE
  int MaximumSize = 0;
};

// Runs the chooser; true with the chosen font in `font` when the user
// pressed OK, false (font unchanged) for Cancel.
bool ChooseFontWithTemplate(HWND owner, const FontChooserSetup& setup, platform::LogFontA& font);

// The system's font chooser as it comes, with effects (colour, underline,
// strike-out): true with the chosen font and colour after OK.
bool ChooseScreenFont(HWND owner, LOGFONTW& font, COLORREF& color);

}  // namespace mox::win
