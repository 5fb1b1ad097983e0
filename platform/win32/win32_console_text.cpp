#include <windows.h>
#include <io.h>

#include "platform/console_text.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {

std::string GbkToUtf8(std::string_view gbk) {
  const std::wstring wide = Widen(gbk);
  if (wide.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), length,
                      nullptr, nullptr);
  return out;
}

void WriteConsoleText(std::FILE* stream, std::string_view gbk) {
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    std::fflush(stream);
    const std::wstring wide = Widen(gbk);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const std::string text = GbkToUtf8(gbk);
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace mox::platform
