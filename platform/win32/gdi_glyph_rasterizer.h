// Windows only: which window the TrueType glyphs are made for. Their device
// context is made compatible with that window's (the screen's until set).
#pragma once

#include <windows.h>

namespace mox::platform {

void SetGlyphReferenceWindow(HWND window);

}  // namespace mox::platform
