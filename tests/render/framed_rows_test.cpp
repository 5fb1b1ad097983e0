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

// Random pixels of the palette's first `used` entries (the rest pads it, as
// a page's palette band is padded with the paper).
void ExpectRowsAsTheDeviceDraws(int width, int height, int depth,
                                const std::vector<RgbColour>& palette, unsigned used) {
  BandImage band;
  band.Width = width;
  band.Rows = height;
  band.BitsPerPixel = depth;
  band.RowBytes = ((depth * width + 31) / 32) * 4;
  band.Palette = palette;
  band.Bits.assign(static_cast<std::size_t>(band.RowBytes) * height, 0);
  std::mt19937 random(static_cast<unsigned>(width * 7919 + height * 31 + depth));
  // Bits beyond the width stay clear, as in a band.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t bit = static_cast<std::size_t>(x) * depth;
      // Half the pixels paper, as pages are.
      const unsigned value = random() % 2 == 0 ? 0u : static_cast<unsigned>(random() % used);
      band.Bits[static_cast<std::size_t>(y) * band.RowBytes + bit / 8] |=
          static_cast<std::uint8_t>(value << (8 - depth - bit % 8));
    }
  }
  MemoryDevice device(width, height);
  device.CopyBand(band, height, 0, 0);
  device.DrawFrame(0, 0, width - 1, height - 1);

  FramedRows rows(width, height, depth, band.Palette, true);
  EXPECT_EQ(rows.Depth(), used < palette.size() ? depth : 2 * depth);
  const std::vector<RgbColour>& picture_palette = rows.Palette();
  const int out = rows.Depth();
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rows.Row(band.Bits.data() + static_cast<std::size_t>(y) * band.RowBytes, y);
    for (int x = 0; x < width; ++x) {
      const int bit = x * out;
      const unsigned index = (row[bit / 8] >> (8 - out - bit % 8)) & ((1u << out) - 1);
      ASSERT_LT(index, picture_palette.size());
      const RgbColour want = device.Pixel(x, y);
      const RgbColour got = picture_palette[index];
      ASSERT_TRUE(want.Red == got.Red && want.Green == got.Green && want.Blue == got.Blue)
          << width << "x" << height << " at " << depth << " bits: pixel " << x << "," << y;
    }
  }
}

// Grey bands widen to hold a twin of every entry; a palette band with
// room keeps its depth, its twins in the padding.
TEST(FramedRowsTest, TheFrameGoesIntoTheRowsExactlyAsTheDeviceDrawsIt) {
  struct Case {
    std::vector<RgbColour> Palette;
    unsigned Used;
  };
  const RgbColour white{255, 255, 255};
  const RgbColour cream{250, 240, 200};
  std::vector<RgbColour> many{cream, {0, 0, 0}, {9, 200, 40}, {40, 50, 60}, {0, 0, 255}};
  many.resize(16, cream);
  const std::vector<Case> cases = {{GreyPalette(2, 1.0), 2},
                                   {GreyPalette(4, 1.0), 4},
                                   {GreyPalette(16, 1.0), 16},
                                   {{white, {0, 0, 0}, {255, 0, 0}, white}, 3},
                                   {many, 5}};
  for (const auto& [palette, used] : cases) {
    const int depth = palette.size() == 2 ? 1 : palette.size() == 4 ? 2 : 4;
    ExpectRowsAsTheDeviceDraws(37, 23, depth, palette, used);
    ExpectRowsAsTheDeviceDraws(8, 6, depth, palette, used);
    ExpectRowsAsTheDeviceDraws(1, 9, depth, palette, used);
    ExpectRowsAsTheDeviceDraws(13, 1, depth, palette, used);
  }
}

}  // namespace
}  // namespace mox
