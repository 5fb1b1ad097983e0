#include <iconv.h>

#include <cerrno>

#include "platform/console_text.h"

namespace mox::platform {

std::string GbkToUtf8(std::string_view gbk) {
  iconv_t converter = iconv_open("UTF-8", "GB18030");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(gbk);
  std::string out;
  std::string input(gbk);
  char* in = input.data();
  std::size_t in_left = input.size();
  char buffer[256];
  while (in_left > 0) {
    char* outp = buffer;
    std::size_t out_left = sizeof buffer;
    const std::size_t done = iconv(converter, &in, &in_left, &outp, &out_left);
    out.append(buffer, static_cast<std::size_t>(outp - buffer));
    if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out.push_back('?');  // an invalid or cut sequence: skip one byte
      ++in;
      --in_left;
    }
  }
  iconv_close(converter);
  return out;
}

void WriteConsoleText(std::FILE* stream, std::string_view gbk) {
  const std::string text = GbkToUtf8(gbk);
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace mox::platform
