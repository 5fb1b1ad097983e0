// The measuring cross the page view draws while the left button is held:
// a vertical and a horizontal scale with millimetre ticks through the mouse
// position, reaching to the window's edges, and the readout of the position
// on the page. The cross is drawn with an exclusive-or pen, so drawing the
// same lines again erases them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "previewer/base/bilingual.h"

namespace mox {

// The pens of the cross: all solid and one pixel wide.
enum class RulerPen { Default, FiveMm, TenMm, FiftyMm, HundredMm };

struct RulerLine {
  RulerPen Pen;
  std::int32_t X0;
  std::int32_t Y0;
  std::int32_t X1;  // the end point, left out as LineTo leaves it
  std::int32_t Y1;
};

struct RulerRect {
  std::int32_t Left;
  std::int32_t Top;
  std::int32_t Right;
  std::int32_t Bottom;
};

// The tick spacing in millimetres (1, 2, 5 or 10) for the millimetres that
// four screen pixels cover at the resolution and zoom.
std::int32_t RulerUnit(double resolution_x, double resolution_y, double zoom);

// The lines of the cross at (x, y) in client pixels: each scale only when
// the position lies within 8 pixels of the client area across it. The
// ticks are placed in device pixels (the page's own) and are as long as
// the screen's DPI makes 2 to 8 pixels at 96 dpi.
std::vector<RulerLine> RulerCross(std::int32_t x, std::int32_t y, std::int32_t unit,
                                  const RulerRect& client, double resolution_x,
                                  double resolution_y, double zoom, int screen_dpi = 96);

// "Ruler unit: %dmm (%0.2lfcm,%0.2lfcm)": the unit and the page position
// (centimetres from the page origin) of a point given in page pixels of the
// zoomed view, the origin being at (origin_x, origin_y).
std::string RulerReadout(std::int32_t unit, double view_x, double view_y, std::int32_t origin_x,
                         std::int32_t origin_y, double resolution_x, double resolution_y,
                         double zoom, Language language);

}  // namespace mox
