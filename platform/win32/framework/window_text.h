// The text of a window or control as GBK.
#pragma once

#include <windows.h>

#include <string>

namespace mox::win {

std::string WindowText(HWND window);

}  // namespace mox::win
