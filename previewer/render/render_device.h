// Where a rendered page goes: a window or printer on Windows, or an image in
// memory. The renderer draws each band into a device-independent bitmap and
// hands it over here; the device also draws the dotted page frame.
#pragma once

#include <cstdint>
#include <vector>

namespace mox {

struct RgbColour {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
};

// A band of the page as a device-independent bitmap: rows top first, each
// RowBytes long, 1 or 4 bits a pixel (most significant first), pixel value 0
// paper and the highest value full ink, mapped to colours by the palette;
// or, for a page with colour, 24 bits a pixel (blue, green, red) and no
// palette, or palette indices of 1, 2 or 4 bits for a device that takes
// them (entry 0 the paper).
struct BandImage {
  int Width = 0;
  int Rows = 0;           // rows the bitmap has room for
  int BitsPerPixel = 0;
  int RowBytes = 0;
  std::vector<std::uint8_t> Bits;
  std::vector<RgbColour> Palette;  // 2^BitsPerPixel entries
};

class RenderDevice {
 public:
  virtual ~RenderDevice() = default;
  // The device's colour count as GetDeviceCaps(NUMCOLORS) gives it (-1 for
  // more than 256 colours).
  virtual int ColourCount() const = 0;
  // Whether the device takes a band of palette indices for a page with
  // colour (as it takes a grey band); otherwise such a page comes as 24 bits.
  virtual bool TakesPalette() const { return false; }
  // Puts the first `rows` rows of the band at (x, y) of the device.
  virtual void CopyBand(const BandImage& band, int rows, int x, int y) = 0;
  // The page frame: a dotted blue rectangle, 1 pixel wide (dots of three
  // pixels and gaps of three, each side starting with a dot, as a Windows
  // dotted pen draws it), combined with what is there by the mask-pen
  // operation (ink stays ink).
  virtual void DrawFrame(int left, int top, int right, int bottom) = 0;
};

}  // namespace mox
