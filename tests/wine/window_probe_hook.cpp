// Runs inside the program that window_probe looks at: Wine keeps a
// program's menus in its own process, out of reach of GetMenu and
// GetMenuString from another one. window_probe installs this hook on the
// frame's thread and sends it the registered message "MoxProbeMenus"
// (wparam: the probe's window, lparam: -1 for the menu bar, else the
// position of a menu in it; "MoxProbeDpi" sends the window WM_DPICHANGED
// from inside, as Windows does); the answer comes back as WM_COPYDATA, one line
// per item:
//   menu bar: the caption of each menu that has one (the buttons of a
//             maximized MDI child have none)
//   a menu:   "ID enabled|grey checked|- CAPTION", "separator" for one
#include <windows.h>

#include <string>

namespace {

std::wstring Caption(HMENU menu, int position) {
  wchar_t text[256] = L"";
  GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
  return text;
}

std::wstring Describe(HWND frame, LPARAM which) {
  const HMENU bar = GetMenu(frame);
  std::wstring out;
  if (which < 0) {
    const int count = GetMenuItemCount(bar);
    for (int i = 0; i < count; ++i) {
      const std::wstring caption = Caption(bar, i);
      if (!caption.empty()) out += caption + L"\n";
    }
    return out;
  }
  // Menus are counted among those with captions, as the bar lists them.
  int position = -1;
  for (int i = 0, named = -1; i < GetMenuItemCount(bar); ++i) {
    if (!Caption(bar, i).empty() && ++named == static_cast<int>(which)) {
      position = i;
      break;
    }
  }
  const HMENU popup = position >= 0 ? GetSubMenu(bar, position) : nullptr;
  if (popup == nullptr) return out;
  // The state as it shows when the menu opens.
  SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
               MAKELPARAM(position, FALSE));
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    const UINT state = GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
    if (state & MF_SEPARATOR) {
      out += L"separator\n";
      continue;
    }
    out += std::to_wstring(GetMenuItemID(popup, i)) + L" " +
           ((state & (MF_GRAYED | MF_DISABLED)) ? L"grey" : L"enabled") + L" " +
           ((state & MF_CHECKED) ? L"checked" : L"-") + L" " + Caption(popup, i) + L"\n";
  }
  return out;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wparam,
                                                            LPARAM lparam) {
  static const UINT ask = RegisterWindowMessageW(L"MoxProbeMenus");
  static const UINT dpi = RegisterWindowMessageW(L"MoxProbeDpi");
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (message->message == dpi) {
      // What Windows sends a window moved to a monitor of another DPI
      // (wparam: the new DPI, lparam: the old one): the new DPI and the
      // window's size scaled to it.
      RECT now{};
      GetWindowRect(message->hwnd, &now);
      const int to = static_cast<int>(message->wParam);
      const int from = static_cast<int>(message->lParam);
      RECT suggested{now.left, now.top, now.left + MulDiv(now.right - now.left, to, from),
                     now.top + MulDiv(now.bottom - now.top, to, from)};
      SendMessageW(message->hwnd, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(to, to),
                   reinterpret_cast<LPARAM>(&suggested));
    }
    if (message->message == ask) {
      const std::wstring text = Describe(message->hwnd, message->lParam);
      COPYDATASTRUCT data{1, static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                          const_cast<wchar_t*>(text.data())};
      SendMessageW(reinterpret_cast<HWND>(message->wParam), WM_COPYDATA,
                   reinterpret_cast<WPARAM>(message->hwnd), reinterpret_cast<LPARAM>(&data));
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
