#include <windows.h>

#include "platform/environment.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {

std::optional<std::string> GetEnvironmentText(const std::string& name) {
  const std::wstring wide_name = Widen(name);
  SetLastError(ERROR_SUCCESS);
  const DWORD size = GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
  if (size == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string();
  }
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(wide_name.c_str(), value.data(), size);
  value.resize(length < size ? length : 0);
  return Narrow(value);
}

void SetEnvironmentText(const std::string& name,
                        const std::optional<std::string>& value) {
  SetEnvironmentVariableW(Widen(name).c_str(),
                          value ? Widen(*value).c_str() : nullptr);
}

}  // namespace mox::platform
