#include <windows.h>

#include <vector>

#include "platform/process.h"
#include "platform/win32/gdi.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {
namespace {

// WinExec's code for a CreateProcess failure: the system error when it is
// below 32 (2 file not found, 3 path not found, 5 access denied, ...), 0 for
// exhausted memory, 11 (bad format) for every other error.
int WinExecCode(DWORD error) {
  switch (error) {
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return 0;
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH: return 11;
    default: return error < 32 ? static_cast<int>(error) : 11;
  }
}

}  // namespace

int StartProgramCode(const std::string& command_line, int show_mode) {
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
    return WinExecCode(GetLastError());
  }
  const win::ProcessHandles handles(info);
  return kProgramStarted;
}

}  // namespace mox::platform
