// Measures at the screen's scaling: edges scaled so that boxes that touch
// still touch, and a picture drawn larger shows under every screen pixel
// the picture pixel that pixel maps back to.
#include "platform/dpi_scale.h"

#include <gtest/gtest.h>

namespace mox::platform {
namespace {

TEST(DpiScaleTest, EdgesRoundToTheNearestPixel) {
  EXPECT_EQ(ScaleToDpi(7, 144), 11);  // 10.5 away from zero
  EXPECT_EQ(ScaleToDpi(-7, 144), -11);
  // A box's far edge is scaled, not its size: 3 + 7 = 10 gives 15, so the
  // box is 15 - 5 = 10 wide where its size alone would give 11.
  const ScaledBox box = ScaleToDpi({3, 0, 7, 1}, 144);
  EXPECT_EQ(box.X, 5);
  EXPECT_EQ(box.Width, 10);
}

TEST(DpiScaleTest, ScaledPicturesShowThePixelsTheirPointsMapBackTo) {
  const int width = 13;
  const int height = 7;
  std::vector<unsigned> picture;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.push_back(static_cast<unsigned>(y << 8 | x));
  }
  for (const int dpi : {96, 144, 192}) {
    int scaled_width = 0;
    int scaled_height = 0;
    const std::vector<unsigned> scaled =
        ScalePicture(picture, width, height, dpi, scaled_width, scaled_height);
    ASSERT_EQ(scaled_width, ScaleToDpi(width, dpi));
    ASSERT_EQ(scaled_height, ScaleToDpi(height, dpi));
    for (int y = 0; y < scaled_height; ++y) {
      for (int x = 0; x < scaled_width; ++x) {
        ASSERT_EQ(scaled[static_cast<std::size_t>(y) * scaled_width + x],
                  static_cast<unsigned>(PicturePixelAt(y, dpi) << 8 | PicturePixelAt(x, dpi)))
            << dpi << ": " << x << "," << y;
      }
    }
    // Each picture pixel shows one or two screen pixels wide, none lost.
    EXPECT_EQ(PicturePixelAt(scaled_width - 1, dpi), width - 1);
  }
  EXPECT_EQ(PicturePixelAt(-1, 144), -1);
  int w = 0;
  int h = 0;
  EXPECT_TRUE(ScalePicture(picture, width, height + 1, 144, w, h).empty());  // too few pixels
  EXPECT_EQ(w, 0);
}

}  // namespace
}  // namespace mox::platform
