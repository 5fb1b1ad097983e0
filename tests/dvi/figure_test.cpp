// EPS figures on a page: placed as dvips places them, drawn by Ghostscript
// (when it is installed), kept for a reload, and a frame with one warning
// when the file or Ghostscript fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "previewer/dvi/page_scanner.h"
#include "previewer/dvi/ppm_image.h"
#include "previewer/render/memory_device.h"
#include "previewer/render/page_renderer.h"
#include "previewer/render/preview_document.h"
#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"

namespace mox::test {
namespace {

constexpr std::int32_t kPoint = 65536;

// A 20 by 10 bp figure: its left half red.
const char kFigure[] =
    "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 20 10\n%%EndComments\n"
    "1 0 0 setrgbcolor 0 0 10 10 rectfill showpage\n";

class FigureTest : public DocumentTest {
 protected:
  void SetUp() override {
    doc_.Settings.ResolutionX = doc_.Settings.ResolutionY = 72.0;  // a pixel a bp
  }

  void Load(const std::string& special) {
    DviWriter dvi;
    dvi.Preamble("figures");
    dvi.BeginPage(1).Down(40 * kPoint).Right(10 * kPoint).Special(special).EndPage();
    dvi.Finish({.MaxHeightDepth = 60 * kPoint, .MaxWidth = 60 * kPoint});
    ASSERT_EQ(OpenBytes(dvi.Data()), 0);
    ASSERT_EQ(PreScan(doc_), 0);
    ASSERT_EQ(ScanPage(doc_, 0), 0);
  }

  static bool HasGhostscript() { return std::system("gs -v >/dev/null 2>&1") == 0; }
};

TEST_F(FigureTest, AFigureIsDrawnInItsPlaceAndKeptForAReload) {
  if (!HasGhostscript()) GTEST_SKIP() << "no Ghostscript";
  WriteFile(dir_.File("half.eps"), kFigure);
  Load("PSfile=\"half.eps\" llx=0 lly=0 urx=20 ury=10 rwi=400");  // twice its size
  ASSERT_EQ(doc_.Page.Figures.size(), 1u);
  EXPECT_EQ(doc_.Page.Figures[0]->Problem, FigureProblem::None);
  EXPECT_TRUE(ui_.Boxes.empty());
  MemoryDevice device(60, 60, -1);
  DrawPage(doc_, device, {0, 0, 60, 60}, 1.0, {1.0, 0, 0, true});
  // 40 by 20 pixels, its lower-left corner at the current point (10, 40).
  const auto red = [](RgbColour c) { return c.Red > 200 && c.Green < 60 && c.Blue < 60; };
  EXPECT_TRUE(red(device.Pixel(15, 30)));
  EXPECT_TRUE(red(device.Pixel(28, 38)));
  EXPECT_FALSE(red(device.Pixel(35, 30)));  // its right half was not painted
  EXPECT_FALSE(red(device.Pixel(15, 45)));  // below the baseline
  // A reload of the unchanged file takes the same picture.
  const auto before = doc_.Page.Figures[0];
  ASSERT_EQ(ScanPage(doc_, 0), 0);
  EXPECT_EQ(doc_.Page.Figures[0], before);
}

TEST_F(FigureTest, AFigureThatCannotBeDrawnIsAFrameNamedOnce) {
  doc_.Settings.GhostscriptPath = dir_.File("no-such-gs");
  WriteFile(dir_.File("half.eps"), kFigure);
  Load("PSfile=\"half.eps\" llx=0 lly=0 urx=20 ury=10");
  ASSERT_EQ(ui_.Boxes.size(), 1u);
  EXPECT_NE(ui_.Boxes[0].Text.find("half.eps: Ghostscript could not be run"), std::string::npos);
  MemoryDevice device(60, 60, -1);
  DrawPage(doc_, device, {0, 0, 60, 60}, 1.0, {1.0, 0, 0, true});
  const auto ink = [](RgbColour c) { return c.Red == 0 && c.Green == 0 && c.Blue == 0; };
  EXPECT_TRUE(ink(device.Pixel(9, 35)));  // the left side, at 10pt: 9.96 pixels
  EXPECT_FALSE(ink(device.Pixel(20, 35)));  // inside it
  ASSERT_EQ(ScanPage(doc_, 0), 0);
  EXPECT_EQ(ui_.Boxes.size(), 1u);  // named once
  // A file dvips would run as a command is never run; a huge box is refused.
  Load("PSfile=\"`gunzip -c x.eps.gz\" llx=0 lly=0 urx=20 ury=10");
  Load("PSfile=\"big.eps\" llx=0 lly=0 urx=200000 ury=10");
  ASSERT_EQ(ui_.Boxes.size(), 3u);
  EXPECT_NE(ui_.Boxes[1].Text.find("it names a command"), std::string::npos);
  EXPECT_NE(ui_.Boxes[2].Text.find("too large"), std::string::npos);
}

TEST(PpmImageTest, OnlyWholePicturesOfTheirSize) {
  const std::string two = std::string("P6 2 1\n# a comment\n255\n") +
                          std::string("\xff\x00\x00\x00\x00\xff", 6);
  ASSERT_TRUE(ParsePpm(two, 10).has_value());
  EXPECT_EQ(ParsePpm(two, 10)->Rgb[5], 0xFF);
  EXPECT_FALSE(ParsePpm(two.substr(0, two.size() - 1), 10));  // a byte short
  EXPECT_FALSE(ParsePpm(two, 1));                              // wider than allowed
  EXPECT_FALSE(ParsePpm("P6 2 1 65535\n", 10));                // 16-bit samples
}

}  // namespace
}  // namespace mox::test
