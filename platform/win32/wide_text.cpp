#include "platform/win32/wide_text.h"

#include "platform/text_encoding.h"

namespace mox::platform {

// Through the program's own GB18030 tables, not the system's code pages:
// a file name with any character comes back as it went in.
std::wstring Widen(std::string_view gbk) {
  const std::u16string wide = DecodeGb18030(gbk);
  return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(std::wstring_view wide) {
  const std::u16string units(wide.begin(), wide.end());
  std::u16string_view rest(units);
  std::string bytes;
  std::string part;
  std::size_t failed_at = 0;
  while (!EncodeGb18030(rest, part, failed_at)) {
    bytes += part;
    bytes.push_back('?');
    rest.remove_prefix(failed_at + 1);
  }
  return bytes + part;
}

}  // namespace mox::platform
