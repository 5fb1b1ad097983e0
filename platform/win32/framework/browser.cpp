#include "platform/win32/framework/browser.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cwchar>
#include <optional>

namespace mox::win {
namespace {

// The program that opens web pages (the one .html files open with).
std::optional<std::wstring> Browser() {
  DWORD size = 0;
  AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, L".html", L"open", nullptr, &size);
  if (size == 0) return std::nullopt;
  std::wstring path(size, L'\0');
  if (AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, L".html", L"open", path.data(),
                        &size) != S_OK) {
    return std::nullopt;
  }
  path.resize(std::wcslen(path.c_str()));
  return path;
}

bool Opened(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > 32; }

}  // namespace

bool OpenInBrowser(HWND owner, const std::wstring& address) {
  if (Opened(ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL))) {
    return true;
  }
  const std::optional<std::wstring> browser = Browser();
  if (!browser) return false;
  const std::wstring argument = L"\"" + address + L"\"";
  return Opened(
      ShellExecuteW(owner, L"open", browser->c_str(), argument.c_str(), nullptr, SW_SHOWNORMAL));
}

}  // namespace mox::win
