// Message boxes and the main window caption on Windows, with the program's
// GBK text turned into UTF-16 at the window boundary.
#pragma once

#include <windows.h>

#include "platform/user_interface.h"

namespace mox::platform {

class Win32UserInterface final : public UserInterface {
 public:
  // Owner of the boxes and window whose caption is the status line; both may
  // be null (before the main window exists).
  void SetMainWindow(HWND window) { main_window_ = window; }

  int ShowBox(std::string_view text, std::string_view caption, unsigned style) override;
  void SetCaption(std::string_view text) override;
  bool WaitFor(std::string_view text, std::string_view caption, std::string_view cancel,
               const std::function<bool()>& ended) override;

 private:
  HWND main_window_ = nullptr;
};

}  // namespace mox::platform
