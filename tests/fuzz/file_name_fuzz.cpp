// Any bytes as a file name or a window's text read from a stored file: the
// GB18030 text they decode to encodes back to the same bytes, and any text
// of UTF-16 units (a name the system gives) comes back from its bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::u16string text = mox::platform::DecodeGb18030(bytes);
  std::string back;
  std::size_t failed_at = 0;
  if (!mox::platform::EncodeGb18030(text, back, failed_at) || back != bytes) std::abort();

  // The same input as UTF-16 units: what encodes must decode unchanged.
  std::u16string units(size / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  if (mox::platform::EncodeGb18030(units, back, failed_at) &&
      mox::platform::DecodeGb18030(back) != units) {
    // Only the escapes of undecodable bytes may come back as other units.
    for (const char16_t unit : units) {
      if (unit >= mox::platform::kByteEscapeBase && unit <= mox::platform::kByteEscapeBase + 0xFF) {
        return 0;
      }
    }
    std::abort();
  }
  return 0;
}
