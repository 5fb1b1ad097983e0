// The texts of the page renderer, in both languages.
#pragma once

#include "previewer/base/bilingual.h"

namespace mox {

inline constexpr Bilingual kRectangleTooWide{"窗口太宽", "Error: drawing rectangle too wide!"};

}  // namespace mox
