// A glyph resampled to the current zoom, cached in its glyph record by the
// renderer until the zoom changes.
#pragma once

#include <cstdint>
#include <vector>

namespace mox {

struct ZoomImage {
  std::int32_t Width = 0;         // target pixels
  std::int32_t Height = 0;        // target rows
  std::int32_t Top = 0;           // offset of the first row against the glyph's place
  int BitsPerPixel = 0;           // 1 or 4; 0 = no image
  std::int32_t RowBytes = 0;      // ((bits per pixel x width + 31) / 32) x 4
  std::vector<std::uint8_t> Bits; // rows top first

  bool Empty() const { return BitsPerPixel == 0; }
};

}  // namespace mox
