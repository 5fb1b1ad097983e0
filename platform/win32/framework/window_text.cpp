#include "platform/win32/framework/window_text.h"

#include "platform/win32/wide_text.h"

namespace mox::win {

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return platform::Narrow(text);
}

}  // namespace mox::win
