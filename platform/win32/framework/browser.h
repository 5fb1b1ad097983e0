// Opening an address in the user's browser: through the system's handler
// of the address, else through the program that opens web pages (some
// systems hand no file: address with an anchor to a handler).
#pragma once

#include <windows.h>

#include <string>

namespace mox::win {

bool OpenInBrowser(HWND owner, const std::wstring& address);

}  // namespace mox::win
