// The DPI windows are drawn at, and the system's measures and fonts at a
// given DPI. Windows 10 gives each monitor its own DPI (the programs are
// per-monitor aware); the functions that tell it are looked up at run time,
// since Windows 7 lacks them, and there every window has the system's DPI.
#pragma once

#include <windows.h>

#include "platform/dpi_scale.h"

namespace mox::win {

// The DPI of the screen as the system draws it (LOGPIXELSY).
int SystemDpi();
// The DPI of the monitor a window is on (GetDpiForWindow), else the system's.
int WindowDpi(HWND window);
// GetSystemMetricsForDpi, else the system's metric scaled from its DPI.
int MetricForDpi(int index, int dpi);
// The window size for a client size at a DPI (AdjustWindowRectExForDpi,
// else AdjustWindowRectEx).
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD ex_style, int dpi);

// The font of the programs' bars, lists and controls made in code: the
// system's interface font (DEFAULT_GUI_FONT) at `dpi`. The font of a DPI
// is made once and lives as long as the program, like a stock object; at
// the system's DPI it is the stock object itself.
HFONT InterfaceFont(int dpi);
// A font's description at another DPI: its height scaled from `from` to `to`.
LOGFONTW FontAtDpi(const LOGFONTW& font, int from, int to);

inline int Scaled(int value, int dpi) { return platform::ScaleToDpi(value, dpi); }

}  // namespace mox::win
