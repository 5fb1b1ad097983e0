#include "previewer/fonts/font_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "previewer/dvi/dvi_document.h"
#include "previewer/render/preview_document.h"
#include "tests/support/document_fixture.h"

namespace mox {
namespace {

using test::AbortMessageOf;

// 1 pt = 65536 DVI units in a TeX file.
constexpr std::int32_t kPoint = 65536;

class FontRegistryTest : public test::DocumentTest {
 protected:
  void SetUp() override {
    test::DocumentTest::SetUp();
    // The scales of a TeX file at 600 dpi.
    doc_.Dvi.Magnification = 1000;
    doc_.Dvi.ConversionX = 600.0 / 72.27 / 65536.0;
    doc_.Dvi.ConversionY = doc_.Dvi.ConversionX;
  }

  // A Chinese font of w by h points.
  void RegisterChinese(std::uint32_t number, double w, double h,
                       const std::string& name = "ccfnta") {
    RegisterFontDefinition(doc_, number, static_cast<std::int32_t>(h * 1048576),
                           static_cast<std::int32_t>(w * kPoint),
                           static_cast<std::int32_t>(w * kPoint), name);
  }

  std::vector<int> ChineseNumbers() {
    std::vector<int> numbers;
    for (const ChineseFont& font : doc_.Fonts.ChineseFonts) numbers.push_back(font.Number);
    return numbers;
  }
};

TEST_F(FontRegistryTest, NamesDecideTheKindInAnyLetterCase) {
  EXPECT_TRUE(IsDummyFontName("ccdummy"));
  EXPECT_TRUE(IsDummyFontName("CCDummy"));
  EXPECT_FALSE(IsDummyFontName("ccdummy1"));
  EXPECT_FALSE(IsDummyFontName("ccdumm"));
  EXPECT_TRUE(IsChineseFontName("ccfnt"));
  EXPECT_TRUE(IsChineseFontName("CCFNTs24"));
  EXPECT_TRUE(IsChineseFontName("cCfNtA"));
  EXPECT_FALSE(IsChineseFontName("ccfn"));
  EXPECT_FALSE(IsChineseFontName("xccfnt"));
}

TEST_F(FontRegistryTest, ChineseFontsTakeTheirSizeAndZitiFromTheDefinition) {
  RegisterChinese(4, 10, 12, "ccfnts");
  RegisterChinese(5, 10, 10, "CCFNTA10");
  RegisterChinese(6, 0.01, 0.01, "ccfntb");  // tiny: still one pixel
  RegisterChinese(7, 10, 10, "ccfnt");      // no sixth letter
  const std::vector<ChineseFont>& fonts = doc_.Fonts.ChineseFonts;
  ASSERT_EQ(fonts.size(), 4u);
  EXPECT_EQ(fonts[0].Ziti, 'S');
  EXPECT_EQ(fonts[0].PixelWidth, 83);   // 10 pt at 600 dpi = 83.02
  EXPECT_EQ(fonts[0].PixelHeight, 100);  // 12 pt = 99.63
  EXPECT_EQ(fonts[0].DesignSize, 10 * kPoint);
  EXPECT_EQ(fonts[1].Ziti, 'A');
  EXPECT_EQ(fonts[2].PixelWidth, 1);
  EXPECT_EQ(fonts[2].PixelHeight, 1);
  EXPECT_EQ(fonts[3].Ziti, '@');
  EXPECT_TRUE(doc_.Fonts.PkFonts.empty());
}

TEST_F(FontRegistryTest, HeightFollowsTheVerticalResolutionAndMagnification) {
  doc_.Settings.ResolutionY = 300;
  doc_.Dvi.Magnification = 2000;
  RegisterChinese(1, 10, 10);
  // 10 pt at 300 dpi, doubled: 83.02; the width follows ConversionX alone.
  EXPECT_EQ(doc_.Fonts.ChineseFonts[0].PixelHeight, 83);
  EXPECT_EQ(doc_.Fonts.ChineseFonts[0].PixelWidth, 83);
}

TEST_F(FontRegistryTest, DummyAndPkDefinitions) {
  RegisterFontDefinition(doc_, 12, 0, 0, 0, "CCDUMMY");
  EXPECT_EQ(doc_.Dvi.DummyFont, 12);
  RegisterFontDefinition(doc_, 3, -5, 720896, 655360, "fonts/cmr10");
  ASSERT_EQ(doc_.Fonts.PkFonts.size(), 1u);
  const PkFont& font = doc_.Fonts.PkFonts[0];
  EXPECT_EQ(font.Number, 3);
  EXPECT_EQ(font.Checksum, -5);
  EXPECT_EQ(font.ScaledSize, 720896);
  EXPECT_EQ(font.DesignSize, 655360);
  EXPECT_EQ(font.Name, "fonts/cmr10");
  EXPECT_TRUE(doc_.Fonts.ChineseFonts.empty());
  EXPECT_EQ(AbortMessageOf([&] { RegisterFontDefinition(doc_, 256, 0, 0, 0, "cmr10"); }),
            "Font no.>255");
}

TEST_F(FontRegistryTest, ChineseFontsSortWidestThenTallestAndStable) {
  RegisterChinese(1, 10, 10);
  RegisterChinese(2, 12, 10);
  RegisterChinese(3, 10, 12);
  RegisterChinese(4, 10, 10);  // same size as font 1: stays behind it
  RegisterChinese(5, 12, 14);
  RegisterFontDefinition(doc_, 9, 0, kPoint, kPoint, "cmr10");
  RegisterFontDefinition(doc_, 2, 0, kPoint, kPoint, "cmr7");
  RegisterFontDefinition(doc_, 200, 0, kPoint, kPoint, "cmr5");
  SortFontTables(doc_.Fonts);
  EXPECT_EQ(ChineseNumbers(), (std::vector<int>{5, 2, 3, 1, 4}));
  ASSERT_EQ(doc_.Fonts.PkFonts.size(), 3u);
  EXPECT_EQ(doc_.Fonts.PkFonts[0].Number, 2);
  EXPECT_EQ(doc_.Fonts.PkFonts[1].Number, 9);
  EXPECT_EQ(doc_.Fonts.PkFonts[2].Number, 200);
}

TEST_F(FontRegistryTest, PkResolutionFromMagnificationAndScaling) {
  RegisterFontDefinition(doc_, 0, 0, 10 * kPoint, 10 * kPoint, "cmr10");
  RegisterFontDefinition(doc_, 1, 0, 12 * kPoint, 10 * kPoint, "cmr10");
  // \magstephalf: 1.095445 x 600 = 657.27.
  RegisterFontDefinition(doc_, 2, 0, 717895, 655360, "cmr10");
  RegisterFontDefinition(doc_, 3, 0, 10 * kPoint, 0, "cmr10");  // no design size
  // 1.2 x 600 + 0.5 = 720.5: the integer part.
  EXPECT_EQ(PkResolution(doc_, 0), 600);
  EXPECT_EQ(PkResolution(doc_, 1), 720);
  EXPECT_EQ(PkResolution(doc_, 2), 657);
  EXPECT_EQ(PkResolution(doc_, 3), 600);
  doc_.Dvi.Magnification = 2000;
  EXPECT_EQ(PkResolution(doc_, 0), 1200);
  doc_.Settings.ResolutionX = 300;
  doc_.Dvi.Magnification = 1000;
  EXPECT_EQ(PkResolution(doc_, 1), 360);
}

TEST_F(FontRegistryTest, GlyphSizeFromTheDefinitionScale) {
  // Scale 10000 by default (no ccfonts.def read).
  EXPECT_EQ(ChineseGlyphSize(doc_, 2, 24, 30).Width, 24);
  EXPECT_EQ(ChineseGlyphSize(doc_, 2, 24, 30).Height, 30);
  doc_.Fonts.Definitions[3].Scale = 12000;
  // 24 x 1.2 = 28.8 and 30 x 1.2 = 36; rounding by +5000.
  EXPECT_EQ(ChineseGlyphSize(doc_, 3, 24, 30).Width, 29);
  EXPECT_EQ(ChineseGlyphSize(doc_, 3, 24, 30).Height, 36);
  doc_.Fonts.Definitions[3].Scale = 10208;  // 24 x 1.0208 = 24.4992
  EXPECT_EQ(ChineseGlyphSize(doc_, 3, 24, 24).Width, 24);
  doc_.Fonts.Definitions[3].Scale = 10209;  // 24.5016
  EXPECT_EQ(ChineseGlyphSize(doc_, 3, 24, 24).Width, 25);
  doc_.Fonts.Definitions[4].Scale = 4000;  // 1 x 0.4 rounds to 0: at least 1
  EXPECT_EQ(ChineseGlyphSize(doc_, 4, 1, 1).Width, 1);
  EXPECT_EQ(ChineseGlyphSize(doc_, 4, 1, 1).Height, 1);
}

TEST_F(FontRegistryTest, GlyphSizeFromATrueTypeFace) {
  test::ServeWithFace(doc_.Faces, 2, 1.0, true);
  test::ServeWithFace(doc_.Faces, 3, 0.5);
  test::ServeWithFace(doc_.Faces, 0, 1.0);
  doc_.Fonts.Definitions[5].Scale = 15000;  // not used: the face wins
  // Slot 5 is ziti 2 (B): italic widens by 1.5, height always 1.1.
  EXPECT_EQ(ChineseGlyphSize(doc_, 5, 24, 24).Width, 36);
  EXPECT_EQ(ChineseGlyphSize(doc_, 5, 24, 24).Height, 26);  // 26.4
  // Slot 6 is ziti 3, half size: 24 x 0.5 x 1.1 = 13.2.
  EXPECT_EQ(ChineseGlyphSize(doc_, 6, 24, 25).Width, 13);
  EXPECT_EQ(ChineseGlyphSize(doc_, 6, 24, 25).Height, 14);  // 13.75
  // Slot 1 (the symbols) belongs to ziti 0 like slot 0.
  EXPECT_EQ(ChineseGlyphSize(doc_, 1, 10, 10).Width, 11);
  // A ziti without a face falls back to the definition.
  doc_.Fonts.Definitions[8].Scale = 15000;
  EXPECT_EQ(ChineseGlyphSize(doc_, 8, 24, 24).Width, 36);
  EXPECT_EQ(ChineseGlyphSize(doc_, 8, 24, 24).Height, 36);

  EXPECT_TRUE(FaceServes(doc_.Faces, 2));
  EXPECT_FALSE(FaceServes(doc_.Faces, 27));
  EXPECT_FALSE(FaceServes(doc_.Faces, -1));
  doc_.Faces = FaceTable{};
  EXPECT_EQ(ChineseGlyphSize(doc_, 5, 24, 24).Width, 36);  // now 1.5 from the definition
  EXPECT_EQ(ChineseGlyphSize(doc_, 6, 24, 24).Width, 24);
}

TEST_F(FontRegistryTest, RowCellCodesOfTheSlots) {
  EXPECT_EQ(RowCellCode(1, 0), 101);     // row 1, cell 1
  EXPECT_EQ(RowCellCode(1, 93), 194);    // row 1, cell 94
  EXPECT_EQ(RowCellCode(1, 94), 201);    // row 2, cell 1
  EXPECT_EQ(RowCellCode(2, 0), 1601);    // first level starts at row 16
  EXPECT_EQ(RowCellCode(0, 0), 1601);    // the user font counts like an even slot
  EXPECT_EQ(RowCellCode(3, 0), 5601);    // second level starts at row 56
  EXPECT_EQ(RowCellCode(53, 3007), 8794);  // the last code: row 87, cell 94
}

}  // namespace
}  // namespace mox
