#include "platform/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/system_string.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {

// The wide command line, so that Chinese paths survive any code page, with
// argument 0 replaced by the full path of the program file (as the option
// reader expects), whatever the caller typed.
std::vector<std::string> CommandLineArguments(int, char**) {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 0; wide != nullptr && i < count; ++i) {
    arguments.push_back(Narrow(wide[i]));
  }
  if (wide != nullptr) LocalFree(wide);

  if (arguments.empty()) arguments.emplace_back();
  if (const std::wstring module = ModuleFileName(nullptr); !module.empty()) {
    arguments[0] = Narrow(module);
  }
  return arguments;
}

}  // namespace mox::platform
