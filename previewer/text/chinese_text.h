// The Unicode character of a Chinese character of a document: the code in
// its font slot (previewer/base/chinese_codes.h) is a GB 2312 row and cell,
// read as the GBK bytes of that row and cell by the programs' own GBK
// tables (platform/text_encoding.h), never by the system's code page.
#pragma once

#include <cstdint>

namespace mox {

// The character of code `index` in font slot `slot`, or U+FFFD for a row
// and cell GB 2312 leaves empty; in a slot beyond GB 2312 (the moxuc fonts)
// the code is the character.
char32_t UnicodeOfChineseCode(int slot, std::int32_t index);

}  // namespace mox
