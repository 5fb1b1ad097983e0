#include "previewer/render/colour_band.h"

#include <algorithm>

namespace mox {
namespace {

void Paint(std::uint8_t* pixel, RgbColour colour) {
  pixel[0] = colour.Blue;
  pixel[1] = colour.Green;
  pixel[2] = colour.Red;
}

// Coverage 0 to 255 of each grey entry: how far it is from the paper's
// grey (entry 0) towards full ink (the last entry).
std::vector<unsigned> Coverages(const std::vector<RgbColour>& palette) {
  std::vector<unsigned> coverage(palette.size(), 255);
  if (palette.size() < 2) return coverage;
  const int paper = palette.front().Green;
  const int ink = palette.back().Green;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    coverage[i] = paper == ink ? 255u
                               : static_cast<unsigned>(std::clamp(
                                     (paper - palette[i].Green) * 255 / (paper - ink), 0, 255));
  }
  return coverage;
}

std::uint8_t Blend(std::uint8_t under, std::uint8_t over, unsigned coverage) {
  return static_cast<std::uint8_t>((under * (255u - coverage) + over * coverage + 127u) / 255u);
}

}  // namespace

void StartColourBand(BandImage& colour, const BandImage& ink, int rows, RgbColour paper) {
  const int row_bytes = ((24 * ink.Width + 31) / 32) * 4;
  if (colour.Width != ink.Width || colour.Rows != ink.Rows || colour.BitsPerPixel != 24) {
    colour.Width = ink.Width;
    colour.Rows = ink.Rows;
    colour.BitsPerPixel = 24;
    colour.RowBytes = row_bytes;
    colour.Bits.assign(static_cast<std::size_t>(row_bytes) * ink.Rows, 0);
    colour.Palette.clear();
  }
  if (paper.Red == 255 && paper.Green == 255 && paper.Blue == 255) {  // most pages
    std::fill_n(colour.Bits.begin(), static_cast<std::size_t>(colour.RowBytes) * rows, 0xFF);
    return;
  }
  for (int y = 0; y < rows; ++y) {
    std::uint8_t* row = colour.Bits.data() + static_cast<std::size_t>(y) * colour.RowBytes;
    for (int x = 0; x < colour.Width; ++x) Paint(row + 3 * x, paper);
  }
}

void LayPicture(BandImage& colour, int rows, const std::uint8_t* rgb, int picture_width,
                int picture_height, int left, int top, int width, int height) {
  if (width < 1 || height < 1 || picture_width < 1 || picture_height < 1) return;
  const int y0 = std::max(top, 0);
  const int y1 = std::min<std::int64_t>(std::int64_t{top} + height, rows);
  const int x0 = std::max(left, 0);
  const int x1 = std::min<std::int64_t>(std::int64_t{left} + width, colour.Width);
  // The picture's columns under each band column, found once.
  std::vector<int> first_column(static_cast<std::size_t>(std::max(x1 - x0, 0)) + 1);
  for (int x = x0; x <= x1; ++x) {
    first_column[static_cast<std::size_t>(x - x0)] = static_cast<int>(
        std::int64_t{x - left} * picture_width / width);
  }
  for (int y = y0; y < y1; ++y) {
    const int sy0 = static_cast<int>(std::int64_t{y - top} * picture_height / height);
    const int sy1 = std::max(sy0 + 1, static_cast<int>(std::int64_t{y + 1 - top} * picture_height / height));
    std::uint8_t* row = colour.Bits.data() + static_cast<std::size_t>(y) * colour.RowBytes;
    for (int x = x0; x < x1; ++x) {
      const int sx0 = first_column[static_cast<std::size_t>(x - x0)];
      const int sx1 = std::max(sx0 + 1, first_column[static_cast<std::size_t>(x - x0) + 1]);
      unsigned sum[3] = {0, 0, 0};
      unsigned count = 0;
      for (int sy = sy0; sy < std::min(sy1, picture_height); ++sy) {
        const std::uint8_t* source = rgb + (static_cast<std::size_t>(sy) * picture_width) * 3;
        for (int sx = sx0; sx < std::min(sx1, picture_width); ++sx) {
          for (int c = 0; c < 3; ++c) sum[c] += source[3 * sx + c];
          ++count;
        }
      }
      if (count == 0 || (sum[0] == 255 * count && sum[1] == 255 * count && sum[2] == 255 * count)) {
        continue;
      }
      Paint(row + 3 * x, {static_cast<std::uint8_t>(sum[0] / count),
                          static_cast<std::uint8_t>(sum[1] / count),
                          static_cast<std::uint8_t>(sum[2] / count)});
    }
  }
}

void FrameRectangle(BandImage& colour, int rows, int left, int top, int right, int bottom,
                    RgbColour ink) {
  const auto put = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= colour.Width || y >= rows) return;
    Paint(colour.Bits.data() + static_cast<std::size_t>(y) * colour.RowBytes + 3 * x, ink);
  };
  for (int x = std::max(left, 0); x <= std::min(right, colour.Width - 1); ++x) {
    put(x, top);
    put(x, bottom);
  }
  for (int y = std::max(top, 0); y <= std::min(bottom, rows - 1); ++y) {
    put(left, y);
    put(right, y);
  }
}

void LayInk(BandImage& colour, const BandImage& ink, int first_row, int end_row,
            RgbColour ink_colour) {
  const std::vector<unsigned> coverage = Coverages(ink.Palette);
  const int bytes = (ink.Width * ink.BitsPerPixel + 7) / 8;
  for (int y = std::max(first_row, 0); y < end_row; ++y) {
    const std::uint8_t* source = ink.Bits.data() + static_cast<std::size_t>(y) * ink.RowBytes;
    std::uint8_t* target = colour.Bits.data() + static_cast<std::size_t>(y) * colour.RowBytes;
    for (int b = 0; b < bytes; ++b) {
      const unsigned byte = source[b];
      if (byte == 0) continue;  // most of a page is paper
      if (ink.BitsPerPixel == 1) {
        for (int bit = 0; bit < 8; ++bit) {
          const int x = 8 * b + bit;
          if (x < ink.Width && (byte & (0x80u >> bit)) != 0) Paint(target + 3 * x, ink_colour);
        }
        continue;
      }
      for (int half = 0; half < 2; ++half) {
        const int x = 2 * b + half;
        const unsigned value = half == 0 ? byte >> 4 : byte & 0x0Fu;
        if (x >= ink.Width || value == 0 || value >= coverage.size()) continue;
        std::uint8_t* pixel = target + 3 * x;
        const unsigned c = coverage[value];
        pixel[0] = Blend(pixel[0], ink_colour.Blue, c);
        pixel[1] = Blend(pixel[1], ink_colour.Green, c);
        pixel[2] = Blend(pixel[2], ink_colour.Red, c);
      }
    }
  }
}

}  // namespace mox
