#include <windows.h>

#include <vector>

#include "platform/process.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {

bool StartProgram(const std::string& command_line, int show_mode) {
  // WinExec would read the command line in the ANSI code page; CreateProcessW
  // with the same search rules keeps Chinese paths intact.
  std::wstring wide = Widen(command_line);
  std::vector<wchar_t> buffer(wide.begin(), wide.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show_mode);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

}  // namespace mox::platform
