#include "platform/win32/framework/dpi.h"

#include <map>

#include "platform/win32/gdi.h"

namespace mox::win {
namespace {

// A function of user32 that only later systems have, or null.
template <typename Function>
Function User32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 == nullptr
             ? nullptr
             : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

}  // namespace

int SystemDpi() {
  const WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return dpi > 0 ? dpi : platform::kBaseDpi;
}

int WindowDpi(HWND window) {
  static const auto for_window = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (for_window != nullptr && window != nullptr) {
    if (const UINT dpi = for_window(window); dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

int MetricForDpi(int index, int dpi) {
  static const auto for_dpi =
      User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (for_dpi != nullptr) return for_dpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD ex_style, int dpi) {
  static const auto for_dpi =
      User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  if (for_dpi != nullptr && for_dpi(&rect, style, menu, ex_style, static_cast<UINT>(dpi))) return;
  AdjustWindowRectEx(&rect, style, menu, ex_style);
}

LOGFONTW FontAtDpi(const LOGFONTW& font, int from, int to) {
  LOGFONTW scaled = font;
  if (from > 0 && from != to) {
    scaled.lfHeight = MulDiv(font.lfHeight, to, from);
    scaled.lfWidth = MulDiv(font.lfWidth, to, from);
  }
  return scaled;
}

HFONT InterfaceFont(int dpi) {
  const auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const int system = SystemDpi();
  if (dpi == system || dpi <= 0) return stock;
  static std::map<int, HFONT> fonts;
  HFONT& font = fonts[dpi];
  if (font == nullptr) {
    LOGFONTW description{};
    GetObjectW(stock, sizeof description, &description);
    const LOGFONTW scaled = FontAtDpi(description, system, dpi);
    font = CreateFontIndirectW(&scaled);
    if (font == nullptr) font = stock;
  }
  return font;
}

}  // namespace mox::win
