// The clipboard's Unicode text, read and written whole.
#pragma once

#include <windows.h>

#include <string>

namespace mox::win {

// Empty when the clipboard holds no text or another program holds it.
std::u16string ClipboardText(HWND owner);
void SetClipboardText(HWND owner, const std::u16string& text);

}  // namespace mox::win
