#include "previewer/render/grey_palette.h"

#include <cmath>

namespace mox {

std::vector<RgbColour> GreyPalette(int entries, double gamma) {
  std::vector<RgbColour> palette(static_cast<std::size_t>(entries));
  for (int i = 0; i < entries; ++i) {
    double h = 0.0;
    if (entries > 1) {
      const double f = static_cast<double>(i) / (entries - 1);
      const double g = static_cast<double>(entries - 1 - i) / (entries - 1);
      // A gamma of 0 would divide by zero; it counts as 1.
      if (gamma > 0.0) {
        h = std::pow(f, 1.0 / gamma);
      } else if (gamma < 0.0) {
        h = 1.0 - std::pow(g, -gamma);
      } else {
        h = f;
      }
    }
    // From white (255) towards black (0), truncated.
    const auto level = static_cast<std::uint8_t>(h * (0.0 - 255.0) + 255.0);
    palette[static_cast<std::size_t>(i)] = {level, level, level};
  }
  return palette;
}

}  // namespace mox
