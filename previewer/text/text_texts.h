// The texts of reading a page's text, in both languages.
#pragma once

#include "previewer/base/bilingual.h"

namespace mox {

inline constexpr Bilingual kNoPageToRead{"文档中没有这一页", "The document has no such page"};

}  // namespace mox
