// A font for controls that draw Chinese text themselves (edit and combo
// boxes). Static text borrows missing glyphs from linked fonts, edit boxes
// do not everywhere: with a Western dialog font they show Chinese as boxes
// where the system's code page is not Chinese.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "platform/win32/gdi.h"

namespace mox::win {

// The first installed face with the GB2312 character set, as high as the
// given font; none when no such face is installed.
Font ChineseControlFont(HFONT like);
// Gives the font (when there is one) to these controls of a dialog.
void SetControlsFont(HWND dialog, std::initializer_list<int> ids, HFONT font);

}  // namespace mox::win
