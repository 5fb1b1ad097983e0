// A render device that is an RGB image in memory: for tests, and for the
// command-line tool that writes pages as PNG files.
#pragma once

#include <cstdint>
#include <vector>

#include "previewer/render/render_device.h"

namespace mox {

class MemoryDevice final : public RenderDevice {
 public:
  // An image of width by height pixels, all white, whose top-left pixel is
  // device position (origin_x, origin_y); colour_count is what the device
  // reports as its number of colours.
  MemoryDevice(int width, int height, int colour_count = -1, int origin_x = 0, int origin_y = 0);

  int ColourCount() const override { return colour_count_; }
  bool TakesPalette() const override { return takes_palette_; }
  // Makes the device take pages with colour as palette bands.
  void TakePalette() { takes_palette_ = true; }
  void CopyBand(const BandImage& band, int rows, int x, int y) override;
  void DrawFrame(int left, int top, int right, int bottom) override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  RgbColour Pixel(int x, int y) const;
  // Rows of RGB bytes, top first.
  const std::vector<std::uint8_t>& Pixels() const { return pixels_; }

 private:
  void MaskPixel(int x, int y, RgbColour pen);
  // One dotted line from (x0, y0) towards (x1, y1), its last pixel left out
  // as a line drawn with LineTo leaves it; each line starts its dots afresh,
  // as the lines of a dotted pen come out of GDI here.
  void DottedLine(int x0, int y0, int x1, int y1);

  int width_;
  int height_;
  int colour_count_;
  bool takes_palette_ = false;
  int origin_x_;
  int origin_y_;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace mox
