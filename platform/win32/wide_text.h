// The window boundary: text is GBK inside the programs and UTF-16 where it
// meets Windows, whatever the system's ANSI code page is. File names and
// window texts may hold characters GBK lacks: they are GB18030, GBK's
// superset, so that any name the system gives comes back unchanged.
#pragma once

#include <string>
#include <string_view>

namespace mox::platform {

inline constexpr unsigned kGbkCodePage = 936;

std::wstring Widen(std::string_view gbk);
// Only a surrogate outside a pair becomes '?'.
std::string Narrow(std::wstring_view wide);

}  // namespace mox::platform
