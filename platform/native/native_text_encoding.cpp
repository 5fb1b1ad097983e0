#include <iconv.h>

#include <cerrno>

#include "platform/text_encoding.h"

namespace mox::platform {

bool Utf8ToGbk(std::string_view utf8, std::string& gbk, std::size_t& failed_at) {
  gbk.clear();
  failed_at = 0;
  // CP936 is the GBK of Windows; glibc's plain "GBK" maps a few symbols
  // differently.
  iconv_t converter = iconv_open("CP936", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  std::string input(utf8);
  char* in = input.data();
  std::size_t in_left = input.size();
  char buffer[512];
  bool ok = true;
  while (in_left > 0) {
    char* out = buffer;
    std::size_t out_left = sizeof buffer;
    const std::size_t done = iconv(converter, &in, &in_left, &out, &out_left);
    gbk.append(buffer, static_cast<std::size_t>(out - buffer));
    if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
      ok = false;  // EILSEQ or EINVAL: no GBK code, or no valid UTF-8
      break;
    }
  }
  if (ok) {
    // Flush any shift state (none for CP936, but the call is cheap).
    char* out = buffer;
    std::size_t out_left = sizeof buffer;
    iconv(converter, nullptr, nullptr, &out, &out_left);
    gbk.append(buffer, static_cast<std::size_t>(out - buffer));
  }
  iconv_close(converter);
  failed_at = ok ? utf8.size() : static_cast<std::size_t>(in - input.data());
  return ok;
}

}  // namespace mox::platform
