// A binary PPM picture (P6) as Ghostscript's ppmraw device writes it: the
// figures' pixels come back in it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace mox {

struct RgbPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Rgb;  // red, green, blue a pixel, rows top first
};

// "P6", width, height and a maximum of 255 (blanks and "#" comments between
// them), one blank, then the pixels. Nothing for any other form, sides
// above `largest_side`, or fewer pixel bytes than the sides need.
std::optional<RgbPicture> ParsePpm(std::string_view bytes, int largest_side);

}  // namespace mox
