#include <windows.h>

#include <string>

#include "platform/current_directory.h"
#include "platform/win32/system_string.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string CurrentDirectoryFor(const std::string& path) {
  // "X:." names the current directory of drive X, which the system keeps per
  // drive; without a drive letter the current directory itself is meant.
  std::wstring query = L".";
  if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') {
    query = {static_cast<wchar_t>(path[0]), L':', L'.'};
  }
  std::wstring full = FullPathName(query);
  if (full.empty()) return query == L"." ? "." : std::string(path, 0, 2) + "\\";
  // "C:\dir\" comes back for "C:.\" forms on some systems: keep a root only.
  while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  return Narrow(full);
}

}  // namespace mox::platform
