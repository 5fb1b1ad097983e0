// The rows moxrender streams into a PNG file, the frame put in on the way,
// against the memory device, which draws the frame over the page as the
// window does.
#include "tools/moxrender/framed_rows.h"

#include <gtest/gtest.h>

#include <random>

#include "previewer/render/grey_palette.h"
#include "previewer/render/memory_device.h"

namespace mox {
namespace {

void ExpectRowsAsTheDeviceDraws(int width, int height, int depth) {
  BandImage band;
  band.Width = width;
  band.Rows = height;
  band.BitsPerPixel = depth;
  band.RowBytes = ((depth * width + 31) / 32) * 4;
  band.Palette = GreyPalette(1 << depth, 1.0);
  band.Bits.assign(static_cast<std::size_t>(band.RowBytes) * height, 0);
  std::mt19937 random(static_cast<unsigned>(width * 7919 + height * 31 + depth));
  for (std::uint8_t& byte : band.Bits) byte = static_cast<std::uint8_t>(random());
  // Bits beyond the width are clear in a band.
  for (int y = 0; y < height; ++y) {
    for (int x = width; x < band.RowBytes * 8 / depth; ++x) {
      const std::size_t bit = static_cast<std::size_t>(x) * depth;
      band.Bits[static_cast<std::size_t>(y) * band.RowBytes + bit / 8] &=
          static_cast<std::uint8_t>(~(((1u << depth) - 1) << (8 - depth - bit % 8)));
    }
  }
  MemoryDevice device(width, height);
  device.CopyBand(band, height, 0, 0);
  device.DrawFrame(0, 0, width - 1, height - 1);

  FramedRows rows(width, height, depth, true);
  const std::vector<RgbColour> palette = rows.Palette(band.Palette);
  const int out = rows.Depth();
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rows.Row(band.Bits.data() + static_cast<std::size_t>(y) * band.RowBytes, y);
    for (int x = 0; x < width; ++x) {
      const int bit = x * out;
      const unsigned index = (row[bit / 8] >> (8 - out - bit % 8)) & ((1u << out) - 1);
      ASSERT_LT(index, palette.size());
      const RgbColour want = device.Pixel(x, y);
      const RgbColour got = palette[index];
      ASSERT_TRUE(want.Red == got.Red && want.Green == got.Green && want.Blue == got.Blue)
          << width << "x" << height << " at " << depth << " bits: pixel " << x << "," << y;
    }
  }
}

TEST(FramedRowsTest, TheFrameGoesIntoTheRowsExactlyAsTheDeviceDrawsIt) {
  for (int depth : {1, 4}) {
    ExpectRowsAsTheDeviceDraws(37, 23, depth);
    ExpectRowsAsTheDeviceDraws(8, 6, depth);
    ExpectRowsAsTheDeviceDraws(1, 9, depth);
    ExpectRowsAsTheDeviceDraws(13, 1, depth);
  }
}

}  // namespace
}  // namespace mox
