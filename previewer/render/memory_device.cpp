#include "previewer/render/memory_device.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace mox {

MemoryDevice::MemoryDevice(int width, int height, int colour_count, int origin_x, int origin_y)
    : width_(width), height_(height), colour_count_(colour_count), origin_x_(origin_x),
      origin_y_(origin_y),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0xFF) {}

RgbColour MemoryDevice::Pixel(int x, int y) const {
  const std::size_t at = (static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)) * 3;
  return {pixels_[at], pixels_[at + 1], pixels_[at + 2]};
}

void MemoryDevice::CopyBand(const BandImage& band, int rows, int x, int y) {
  for (int r = 0; r < rows; ++r) {
    const int iy = y + r - origin_y_;
    if (iy < 0 || iy >= height_) continue;
    const std::uint8_t* row = band.Bits.data() + static_cast<std::size_t>(r) * band.RowBytes;
    for (int c = 0; c < band.Width; ++c) {
      const int ix = x + c - origin_x_;
      if (ix < 0 || ix >= width_) continue;
      const std::size_t at = (static_cast<std::size_t>(iy) * width_ + ix) * 3;
      if (band.BitsPerPixel == 24) {  // blue, green, red
        pixels_[at] = row[3 * c + 2];
        pixels_[at + 1] = row[3 * c + 1];
        pixels_[at + 2] = row[3 * c];
        continue;
      }
      // 1, 2 or 4 bits a pixel, the leftmost pixel in the high bits.
      const int bits = band.BitsPerPixel;
      const int bit = c * bits;
      const unsigned value = (row[bit >> 3] >> (8 - bits - (bit & 7))) & ((1u << bits) - 1);
      const RgbColour colour = band.Palette[value];
      pixels_[at] = colour.Red;
      pixels_[at + 1] = colour.Green;
      pixels_[at + 2] = colour.Blue;
    }
  }
}

void MemoryDevice::MaskPixel(int x, int y, RgbColour pen) {
  const int ix = x - origin_x_;
  const int iy = y - origin_y_;
  if (ix < 0 || iy < 0 || ix >= width_ || iy >= height_) return;
  const std::size_t at = (static_cast<std::size_t>(iy) * width_ + ix) * 3;
  pixels_[at] &= pen.Red;
  pixels_[at + 1] &= pen.Green;
  pixels_[at + 2] &= pen.Blue;
}

void MemoryDevice::DottedLine(int x0, int y0, int x1, int y1) {
  // The frame's sides run along a row or a column. Dots are counted from the
  // line's start, so only the steps that land inside the image are walked:
  // a side of an absurdly large page costs no more than the image is long.
  const int dx = (x1 > x0) - (x1 < x0);
  const int dy = (y1 > y0) - (y1 < y0);
  const std::int64_t length = std::max(std::abs(std::int64_t{x1} - x0), std::abs(std::int64_t{y1} - y0));
  std::int64_t first = 0;
  std::int64_t last = length - 1;  // LineTo leaves out the end point
  // Narrows [first, last] to the steps k whose coordinate start + k * step
  // lies in [low, high].
  const auto keep = [&](std::int64_t start, int step, std::int64_t low, std::int64_t high) {
    if (step == 0) {
      if (start < low || start > high) last = -1;
    } else if (step > 0) {
      first = std::max(first, low - start);
      last = std::min(last, high - start);
    } else {
      first = std::max(first, start - high);
      last = std::min(last, start - low);
    }
  };
  keep(x0, dx, origin_x_, std::int64_t{origin_x_} + width_ - 1);
  keep(y0, dy, origin_y_, std::int64_t{origin_y_} + height_ - 1);
  for (std::int64_t k = first; k <= last; ++k) {
    if (k % 6 < 3) {  // three on, three off
      MaskPixel(static_cast<int>(x0 + k * dx), static_cast<int>(y0 + k * dy), {0, 0, 0xFF});
    }
  }
}

void MemoryDevice::DrawFrame(int left, int top, int right, int bottom) {
  DottedLine(left, top, right, top);
  DottedLine(right, top, right, bottom);
  DottedLine(right, bottom, left, bottom);
  DottedLine(left, bottom, left, top);
}

}  // namespace mox
