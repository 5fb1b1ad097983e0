// The colour table of the page bitmap: a ramp from white (no ink) to black
// (full ink), bent by the gamma option.
#pragma once

#include <vector>

#include "previewer/render/render_device.h"

namespace mox {

std::vector<RgbColour> GreyPalette(int entries, double gamma);

}  // namespace mox
