// A logical font as the portable code keeps it (GBK face name) and as the
// wide Windows calls take it.
#pragma once

#include <windows.h>

#include "platform/glyph_rasterizer.h"

namespace mox::platform {

LOGFONTW WideLogFont(const LogFontA& font);
LogFontA NarrowLogFont(const LOGFONTW& font);

}  // namespace mox::platform
