// The native rasteriser with a real Chinese face (Debian's fonts-arphic-uming).
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

constexpr std::uint16_t kIdeographicSpace = 0xA1A1;

using test::Face;
using test::InkCount;
using test::kZhong;

// Bits of each 4-byte row beyond the black box.
bool PaddingIsClear(const RasterGlyph& glyph) {
  const std::size_t stride = (glyph.BlackBoxWidth + 31) / 32 * 4;
  for (std::uint32_t y = 0; y < glyph.BlackBoxHeight; ++y) {
    for (std::size_t x = glyph.BlackBoxWidth; x < stride * 8; ++x) {
      if ((glyph.Bits[stride * y + x / 8] >> (7 - x % 8)) & 1) return false;
    }
  }
  return true;
}

class FreeTypeRasterizerTest : public ::testing::Test {
 protected:
  void TearDown() override { raster_.ReleaseFace(); }

  // The black box of 中 in a face; fails the test when there is none.
  std::optional<RasterGlyph> Zhong(const LogFontA& font, int* descent = nullptr) {
    int d = -1;
    if (!raster_.SelectFace(font, d)) {
      ADD_FAILURE() << "face not selected: " << font.FaceName;
      return std::nullopt;
    }
    if (descent != nullptr) *descent = d;
    std::optional<RasterGlyph> glyph = raster_.DrawGlyph(kZhong);
    EXPECT_TRUE(glyph);
    return glyph;
  }

  platform::GlyphRasterizer& raster_ = platform::SystemRasterizer();
};

TEST_F(FreeTypeRasterizerTest, ZhongLiesInsideTheCell) {
  int descent = -1;
  const std::optional<RasterGlyph> glyph = Zhong(Face("AR PL UMing CN", 48, 24), &descent);
  ASSERT_TRUE(glyph);
  // Cell height 48 is ascent plus descent; the em is about 46 pixels.
  EXPECT_GE(descent, 4);
  EXPECT_LE(descent, 10);
  EXPECT_GE(glyph->BlackBoxWidth, 32u);
  EXPECT_LE(glyph->BlackBoxWidth, 48u);
  EXPECT_GE(glyph->BlackBoxHeight, 32u);
  EXPECT_LE(glyph->BlackBoxHeight, 48u);
  EXPECT_GE(glyph->OriginX, 0);
  EXPECT_LE(glyph->OriginX + static_cast<int>(glyph->BlackBoxWidth), 48);
  EXPECT_LE(glyph->OriginY, 48 - descent);
  EXPECT_GE(glyph->OriginY - static_cast<int>(glyph->BlackBoxHeight), -descent);
  EXPECT_EQ(glyph->Bits.size(), (glyph->BlackBoxWidth + 31) / 32 * 4 * glyph->BlackBoxHeight);
  EXPECT_GT(InkCount(*glyph), 100);
  EXPECT_TRUE(PaddingIsClear(*glyph));
}

TEST_F(FreeTypeRasterizerTest, HeightAndWidthAreSizedAsGdiSizesThem) {
  const std::optional<RasterGlyph> cell = Zhong(Face("AR PL UMing CN", 96, 48));
  const std::optional<RasterGlyph> em = Zhong(Face("AR PL UMing CN", -96, 48));
  const std::optional<RasterGlyph> narrow = Zhong(Face("AR PL UMing CN", 96, 24));
  const std::optional<RasterGlyph> natural = Zhong(Face("AR PL UMing CN", 96, 0));
  ASSERT_TRUE(cell && em && narrow && natural);
  // A positive height includes the internal leading; a negative one is the em.
  EXPECT_GT(em->BlackBoxHeight, cell->BlackBoxHeight);
  // The width is a half-width character's: half of it halves the glyph.
  EXPECT_NEAR(narrow->BlackBoxWidth * 2.0, cell->BlackBoxWidth, 4.0);
  EXPECT_NEAR(narrow->BlackBoxHeight, cell->BlackBoxHeight, 1.0);
  // Half the em width is the face's natural proportion.
  EXPECT_NEAR(natural->BlackBoxWidth, cell->BlackBoxWidth, 5.0);
}

TEST_F(FreeTypeRasterizerTest, ItalicIsMadeUpWhenTheFaceHasNone) {
  const std::optional<RasterGlyph> upright = Zhong(Face("AR PL UMing CN", 48, 24));
  LogFontA italic = Face("AR PL UMing CN", 48, 24);
  italic.Italic = 1;
  const std::optional<RasterGlyph> leaning = Zhong(italic);
  ASSERT_TRUE(upright && leaning);
  EXPECT_GT(leaning->BlackBoxWidth, upright->BlackBoxWidth);
}

TEST_F(FreeTypeRasterizerTest, IdeographicSpaceAndBadCodesGiveNoGlyph) {
  int descent = 0;
  ASSERT_TRUE(raster_.SelectFace(Face("AR PL UMing CN", 24, 12), descent));
  EXPECT_EQ(raster_.DrawGlyph(kIdeographicSpace), std::nullopt);
  EXPECT_EQ(raster_.DrawGlyph(0xFFFF), std::nullopt);  // not GBK
  EXPECT_EQ(raster_.DrawGlyph(0x0041), std::nullopt);  // two single bytes
  EXPECT_TRUE(raster_.DrawGlyph(0xA1A2));             // 、
  raster_.ReleaseFace();
  EXPECT_EQ(raster_.DrawGlyph(kZhong), std::nullopt);
}

TEST_F(FreeTypeRasterizerTest, UnknownFaceFallsBackToAChineseFace) {
  const std::optional<RasterGlyph> glyph = Zhong(Face("No Such Face At All", 48, 24));
  ASSERT_TRUE(glyph);
  EXPECT_GT(InkCount(*glyph), 100);
  EXPECT_LE(glyph->BlackBoxHeight, 48u);
  // A GBK name (宋体) that is not installed here either.
  EXPECT_TRUE(Zhong(Face("\xcb\xce\xcc\xe5", 48, 24)));
}

TEST_F(FreeTypeRasterizerTest, AbsurdSizesAreRefused) {
  int descent = 0;
  EXPECT_FALSE(raster_.SelectFace(Face("AR PL UMing CN", 100000, 12), descent));
  EXPECT_FALSE(raster_.SelectFace(Face("AR PL UMing CN", 24, 100000), descent));
  EXPECT_EQ(raster_.DrawGlyph(kZhong), std::nullopt);
}

}  // namespace
}  // namespace mox
