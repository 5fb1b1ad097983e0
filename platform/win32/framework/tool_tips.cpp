#include "platform/win32/framework/tool_tips.h"

#include <commctrl.h>

#include "platform/win32/wide_text.h"

namespace mox::win {

TToolTips::~TToolTips() {
  if (tips_ != nullptr && IsWindow(tips_)) DestroyWindow(tips_);
}

void TToolTips::Add(HWND owner, HWND control, const std::string& hint) {
  if (tips_ == nullptr) {
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                            0, 0, 0, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tips_ == nullptr) return;
  }
  std::wstring text = platform::Widen(hint);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();  // copied by the tool-tip window
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace mox::win
