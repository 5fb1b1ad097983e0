#include "previewer/text/chinese_text.h"

#include <string>

#include "platform/text_encoding.h"
#include "previewer/base/chinese_codes.h"
#include "previewer/fonts/font_registry.h"

namespace mox {

char32_t UnicodeOfChineseCode(int slot, std::int32_t index) {
  constexpr char32_t kNoCharacter = 0xFFFD;
  // Beyond GB 2312 the code is the character.
  if (IsUnicodeSlot(slot)) {
    return index > 0 && index < kUnicodeSlotCapacity ? static_cast<char32_t>(index) : kNoCharacter;
  }
  const std::int32_t linear = LinearCodeOf(slot, index);
  if (linear < 0 || linear >= kEndOfCodes) return kNoCharacter;
  // GB 2312's rows and cells from 0 are the bytes from 0xA1 of its EUC
  // form, which is GBK's for these codes.
  const char bytes[2] = {static_cast<char>(0xA1 + linear / kCellsPerRow),
                         static_cast<char>(0xA1 + linear % kCellsPerRow)};
  const std::u16string text = platform::DecodeGbk(std::string_view(bytes, 2));
  if (text.size() != 1) return kNoCharacter;
  const char16_t character = text[0];
  const bool escaped = character >= platform::kByteEscapeBase &&
                       character <= platform::kByteEscapeBase + 0xFF;
  return escaped ? kNoCharacter : character;
}

}  // namespace mox
