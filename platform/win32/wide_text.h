// The window boundary: text is GBK inside the programs and UTF-16 where it
// meets Windows, whatever the system's ANSI code page is.
#pragma once

#include <string>
#include <string_view>

namespace mox::platform {

inline constexpr unsigned kGbkCodePage = 936;

std::wstring Widen(std::string_view gbk);
// Characters GBK cannot hold become '?'.
std::string Narrow(std::wstring_view wide);

}  // namespace mox::platform
