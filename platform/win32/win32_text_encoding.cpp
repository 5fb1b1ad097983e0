#include <windows.h>

#include "platform/text_encoding.h"
#include "platform/win32/wide_text.h"

namespace mox::platform {
namespace {

// The length of the UTF-8 sequence that `lead` starts (1 for a byte that
// starts none: the conversion then fails on it).
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

bool Utf8ToGbk(std::string_view utf8, std::string& gbk, std::size_t& failed_at) {
  gbk.clear();
  failed_at = 0;
  // One character at a time, so that the offset of the first one without a
  // GBK code is known. Best-fit mappings (a look-alike for a missing
  // character) are refused: the text must say what the source says.
  std::size_t at = 0;
  while (at < utf8.size()) {
    const unsigned char lead = static_cast<unsigned char>(utf8[at]);
    if (lead < 0x80) {
      gbk.push_back(static_cast<char>(lead));
      ++at;
      continue;
    }
    const std::size_t length = SequenceLength(lead);
    if (length > utf8.size() - at) break;
    wchar_t wide[2];
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data() + at,
                                          static_cast<int>(length), wide, 2);
    if (units != 1) break;  // invalid UTF-8, or a surrogate pair (never GBK)
    char bytes[4];
    BOOL used_default = FALSE;
    const int written = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide, 1, bytes,
                                            sizeof bytes, nullptr, &used_default);
    if (written <= 0 || used_default) break;
    gbk.append(bytes, static_cast<std::size_t>(written));
    at += length;
  }
  failed_at = at;
  return at == utf8.size();
}

}  // namespace mox::platform

namespace mox::platform {

char16_t SystemGbkDecode(const unsigned char* bytes, int count) {
  if (count < 1 || count > 2) return 0;
  wchar_t wide[2];
  const int units = MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS,
                                        reinterpret_cast<const char*>(bytes), count, wide, 2);
  return units == 1 ? static_cast<char16_t>(wide[0]) : 0;
}

int SystemGbkEncode(char16_t character, unsigned char bytes[2]) {
  const wchar_t wide = static_cast<wchar_t>(character);
  char out[4];
  BOOL used_default = FALSE;
  const int written = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, &wide, 1, out,
                                          sizeof out, nullptr, &used_default);
  if (written < 1 || written > 2 || used_default) return 0;
  for (int i = 0; i < written; ++i) bytes[i] = static_cast<unsigned char>(out[i]);
  return written;
}

}  // namespace mox::platform
