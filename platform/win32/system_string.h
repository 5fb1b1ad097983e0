// Strings the system writes into a buffer the caller sizes (the module's
// file name, the current or the full path, a program found on the path),
// of any length: long paths have no fixed limit.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

namespace mox::platform {

// `fill(buffer, size)` is the system call: the length written (without the
// NUL) when the text fits, a length of at least `size` when it does not
// (the size it needs, or the size given, as GetModuleFileNameW answers),
// 0 on failure, which gives an empty string.
template <typename Fill>
std::wstring SystemString(Fill fill) {
  constexpr std::size_t kLongest = 1 << 16;  // beyond any path the system takes
  std::wstring text(256, L'\0');
  for (;;) {
    const DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
    if (length == 0) return std::wstring();
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    if (text.size() >= kLongest) return std::wstring();
    text.resize(std::max<std::size_t>(length + 1, text.size() * 2));
  }
}

inline std::wstring ModuleFileName(HMODULE module) {
  return SystemString([&](wchar_t* buffer, DWORD size) {
    return GetModuleFileNameW(module, buffer, size);
  });
}

inline std::wstring CurrentDirectory() {
  return SystemString([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

inline std::wstring FullPathName(const std::wstring& path) {
  return SystemString([&](wchar_t* buffer, DWORD size) {
    return GetFullPathNameW(path.c_str(), size, buffer, nullptr);
  });
}

}  // namespace mox::platform
