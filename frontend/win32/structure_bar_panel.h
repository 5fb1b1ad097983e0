// Panel3, the structure bar: a row of green text buttons, eighteen opening
// the TeX command assistant at a topic and three inserting a piece of TeX.
#pragma once

#include <functional>

#include "frontend/core/structure_bar.h"
#include "frontend/win32/frame_panels.h"

namespace mox::varelo {

inline constexpr COLORREF kStructureBarColor = RGB(0, 128, 0);

class TStructureBar : public TButtonBar {
 public:
  TStructureBar() : TButtonBar(kStructureBarColor) {}
  // The buttons of StructureButtons(), left to right; a click gives its
  // button to the handler.
  bool CreateBar(std::function<void(const StructureButton&)> clicked);
};

}  // namespace mox::varelo
