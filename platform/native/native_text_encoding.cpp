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

namespace mox::platform {
namespace {

// One converter each way for the whole run: the tables of gbk_codec.cpp
// ask for every code once.
iconv_t Converter(const char* to, const char* from) {
  iconv_t converter = iconv_open(to, from);
  return converter;
}

bool Convert(iconv_t converter, const char* in, std::size_t in_size, char* out,
             std::size_t out_size, std::size_t& written) {
  written = 0;
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  char* in_at = const_cast<char*>(in);
  char* out_at = out;
  std::size_t in_left = in_size;
  std::size_t out_left = out_size;
  if (iconv(converter, &in_at, &in_left, &out_at, &out_left) == static_cast<std::size_t>(-1)) {
    return false;
  }
  written = out_size - out_left;
  return in_left == 0;
}

}  // namespace

char16_t SystemGbkDecode(const unsigned char* bytes, int count) {
  static iconv_t converter = Converter("UTF-16LE", "CP936");
  char out[8];
  std::size_t written = 0;
  if (count < 1 || count > 2 ||
      !Convert(converter, reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(count),
               out, sizeof out, written) ||
      written != 2) {
    return 0;
  }
  return static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                               static_cast<unsigned char>(out[1]) << 8);
}

int SystemGbkEncode(char16_t character, unsigned char bytes[2]) {
  static iconv_t converter = Converter("CP936", "UTF-16LE");
  const char in[2] = {static_cast<char>(character & 0xFF), static_cast<char>(character >> 8)};
  char out[8];
  std::size_t written = 0;
  if (!Convert(converter, in, sizeof in, out, sizeof out, written) || written < 1 ||
      written > 2) {
    return 0;
  }
  for (std::size_t i = 0; i < written; ++i) bytes[i] = static_cast<unsigned char>(out[i]);
  return static_cast<int>(written);
}

}  // namespace mox::platform
