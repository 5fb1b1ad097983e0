// The Windows rasteriser through GDI. The test prefix under Wine has the
// Chinese face "AR PL UMing CN"; a system without it substitutes another
// face, so only what any Chinese face gives is checked.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>

#include "platform/glyph_rasterizer.h"
#include "tests/support/raster_glyphs.h"

namespace mox {
namespace {

using platform::LogFontA;
using platform::RasterGlyph;


using test::Face;
using test::InkCount;
using test::kZhong;

class GdiRasterizerTest : public ::testing::Test {
 protected:
  void TearDown() override { raster_.ReleaseFace(); }
  platform::GlyphRasterizer& raster_ = platform::SystemRasterizer();
};

TEST_F(GdiRasterizerTest, ZhongLiesInsideTheCell) {
  int descent = -1;
  ASSERT_TRUE(raster_.SelectFace(Face("AR PL UMing CN", 48, 24), descent));
  EXPECT_GE(descent, 1);
  EXPECT_LE(descent, 16);
  const std::optional<RasterGlyph> glyph = raster_.DrawGlyph(kZhong);
  ASSERT_TRUE(glyph);
  EXPECT_GE(glyph->BlackBoxWidth, 24u);
  EXPECT_LE(glyph->BlackBoxWidth, 56u);
  EXPECT_GE(glyph->BlackBoxHeight, 24u);
  EXPECT_LE(glyph->BlackBoxHeight, 48u);
  EXPECT_LE(glyph->OriginY, 48);
  EXPECT_GE(glyph->Bits.size(), (glyph->BlackBoxWidth + 31) / 32 * 4 * glyph->BlackBoxHeight);
  EXPECT_GT(InkCount(*glyph), 100);
}

TEST_F(GdiRasterizerTest, HalfTheWidthNarrowsTheGlyph) {
  int descent = 0;
  ASSERT_TRUE(raster_.SelectFace(Face("AR PL UMing CN", 48, 24), descent));
  const std::optional<RasterGlyph> full = raster_.DrawGlyph(kZhong);
  ASSERT_TRUE(raster_.SelectFace(Face("AR PL UMing CN", 48, 12), descent));
  const std::optional<RasterGlyph> narrow = raster_.DrawGlyph(kZhong);
  ASSERT_TRUE(full && narrow);
  EXPECT_LT(narrow->BlackBoxWidth, full->BlackBoxWidth * 3 / 4);
}

TEST_F(GdiRasterizerTest, NoGlyphWithoutAFaceOrForACodeOutsideGbk) {
  EXPECT_EQ(raster_.DrawGlyph(kZhong), std::nullopt);
  int descent = 0;
  ASSERT_TRUE(raster_.SelectFace(Face("AR PL UMing CN", 24, 12), descent));
  EXPECT_EQ(raster_.DrawGlyph(0xFFFF), std::nullopt);  // not GBK
  EXPECT_TRUE(raster_.DrawGlyph(kZhong));
}

}  // namespace
}  // namespace mox
