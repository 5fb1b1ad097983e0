// Text for a console: the programs hold GBK, terminals and logs want UTF-8.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace mox::platform {

// GBK (GB18030) text as UTF-8; bytes that are no valid GBK become '?'.
std::string GbkToUtf8(std::string_view gbk);

// Writes GBK text to a console stream as the stream needs it (UTF-8, or
// UTF-16 on a Windows console).
void WriteConsoleText(std::FILE* stream, std::string_view gbk);

}  // namespace mox::platform
