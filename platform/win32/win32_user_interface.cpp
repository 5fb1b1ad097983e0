#include "platform/win32/win32_user_interface.h"

#include "platform/win32/wide_text.h"

namespace mox::platform {

int Win32UserInterface::ShowBox(std::string_view text, std::string_view caption,
                                unsigned style) {
  // An empty caption stays empty: a null one would read "Error".
  return MessageBoxW(main_window_, Widen(text).c_str(), Widen(caption).c_str(), style);
}

void Win32UserInterface::SetCaption(std::string_view text) {
  if (main_window_ != nullptr) SetWindowTextW(main_window_, Widen(text).c_str());
}

}  // namespace mox::platform
