// The page renderer on small pages: what lands in which pixel at which zoom,
// the cache of zoomed glyphs, bands, grey levels, rules, images and lines.
#include "previewer/render/page_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "previewer/dvi/page_buffer.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/render/colour_band.h"
#include "previewer/render/grey_palette.h"
#include "previewer/render/memory_device.h"
#include "previewer/render/preview_document.h"
#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"

namespace mox::test {
namespace {

constexpr std::int32_t kPoint = 65536;  // one pixel at 72.27 dpi

bool IsInk(const RgbColour& c) { return c.Red == 0 && c.Green == 0 && c.Blue == 0; }
bool IsPaper(const RgbColour& c) { return c.Red == 255 && c.Green == 255 && c.Blue == 255; }

class RendererTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    doc_.Settings.ResolutionX = 72.27;
    doc_.Settings.ResolutionY = 72.27;
  }

  // Opens, pre-scans and scans page 1 of a document built by `page`.
  template <typename Page>
  void Load(Page&& page, int max_width = 200 * kPoint, int max_height = 200 * kPoint) {
    DviWriter dvi;
    dvi.Preamble("renderer test");
    dvi.BeginPage(1);
    page(dvi);
    dvi.EndPage();
    dvi.Finish({.MaxHeightDepth = max_height, .MaxWidth = max_width,
                .Fonts = {{.Number = 0, .Name = "cmr10"}}});
    ASSERT_EQ(OpenBytes(dvi.Data()), 0);
    ASSERT_EQ(PreScan(doc_), 0);
  }

  void Scan() { ASSERT_EQ(ScanPage(doc_, 0), 0); }

  // Gives the glyph of a code a bitmap, as loading its font would.
  PkGlyph& Glyph(int code) {
    for (PkGlyph& glyph : doc_.Fonts.PkGlyphs) {
      if (glyph.Code == code) return glyph;
    }
    ADD_FAILURE() << "no glyph " << code;
    static PkGlyph none;
    return none;
  }
  void SetGlyph(int code, int width, int height, int y_offset,
                const std::vector<std::string>& rows) {
    PkGlyph& glyph = Glyph(code);
    glyph.Width = static_cast<std::int16_t>(width);
    glyph.Height = static_cast<std::int16_t>(height);
    glyph.XOffset = 0;
    glyph.YOffset = static_cast<std::int16_t>(y_offset);
    glyph.Advance = 0;
    const int row_bytes = (width + 7) / 8;
    glyph.Bitmap.assign(static_cast<std::size_t>(row_bytes * height), 0);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#') {
          glyph.Bitmap[static_cast<std::size_t>(y * row_bytes + x / 8)] |=
              static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
      }
    }
  }
  std::vector<std::string> Solid(int width, int height) {
    return std::vector<std::string>(static_cast<std::size_t>(height), std::string(width, '#'));
  }

  MemoryDevice Draw(double zoom, int width = 240, int height = 240, int colours = -1,
                    int margin = 0) {
    MemoryDevice device(width, height, colours);
    DrawPage(doc_, device, {0, 0, width, height}, 1.0, {zoom, margin, margin, true});
    return device;
  }

  int InkCount(const MemoryDevice& device) {
    int count = 0;
    for (int y = 0; y < device.Height(); ++y) {
      for (int x = 0; x < device.Width(); ++x) count += !IsPaper(device.Pixel(x, y));
    }
    return count;
  }
};

TEST_F(RendererTest, AtZoomOneGlyphsAreCopiedPixelForPixel) {
  Load([&](DviWriter& dvi) { dvi.Down(40 * kPoint).Right(30 * kPoint).Font(0).SetChar('A'); });
  Scan();
  const std::vector<std::string> rows = {"#..#.##", ".#.#..#", "#######", "..#...#"};
  SetGlyph('A', 7, 4, 3, rows);
  Scan();
  const MemoryDevice device = Draw(1.0, 240, 240, -1, 5);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 7; ++x) {
      const RgbColour pixel = device.Pixel(30 + 5 + x, 40 - 3 + 5 + y);
      EXPECT_EQ(IsInk(pixel), rows[y][x] == '#') << x << "," << y;
    }
  }
  EXPECT_EQ(InkCount(device), 16);
}

TEST_F(RendererTest, GreyLevelsBelowZoomPointNineOne) {
  EXPECT_EQ(BitsPerPixelFor(0.9, 16), 4);
  EXPECT_EQ(BitsPerPixelFor(0.9, -1), 4);
  EXPECT_EQ(BitsPerPixelFor(0.9, 256), 4);
  EXPECT_EQ(BitsPerPixelFor(0.9, 8), 1);
  EXPECT_EQ(BitsPerPixelFor(0.95, 16), 1);
  EXPECT_EQ(BitsPerPixelFor(0.91, 16), 1);

  Load([&](DviWriter& dvi) { dvi.Down(40 * kPoint).Right(30 * kPoint).Font(0).SetChar('A'); });
  Scan();
  SetGlyph('A', 8, 8, 7, {"#.#.#.#.", ".#.#.#.#", "#.#.#.#.", ".#.#.#.#",
                         "#.#.#.#.", ".#.#.#.#", "#.#.#.#.", ".#.#.#.#"});
  Scan();
  const MemoryDevice grey = Draw(0.5);
  bool some_grey = false;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const RgbColour p = grey.Pixel(x, y);
      some_grey |= !IsInk(p) && !IsPaper(p);
    }
  }
  EXPECT_TRUE(some_grey);
  const MemoryDevice black_and_white = Draw(0.5, 240, 240, 8);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const RgbColour p = black_and_white.Pixel(x, y);
      EXPECT_TRUE(IsInk(p) || IsPaper(p));
    }
  }
}

TEST_F(RendererTest, ATinyGlyphStillMakesAPixel) {
  Load([&](DviWriter& dvi) { dvi.Down(100 * kPoint).Right(100 * kPoint).Font(0).SetChar('.'); });
  Scan();
  SetGlyph('.', 1, 1, 0, {"#"});
  Scan();
  EXPECT_EQ(InkCount(Draw(0.05)), 1);
  EXPECT_EQ(InkCount(Draw(0.05, 240, 240, 8)), 1);
}

TEST_F(RendererTest, GlyphsOfOneBaselineShareTheirSampling) {
  Load([&](DviWriter& dvi) {
    dvi.Down(101 * kPoint).Right(10 * kPoint).Font(0).SetChar('a').Right(40 * kPoint).SetChar('b');
  });
  Scan();
  // Both have their last row on the baseline, one reaching higher.
  SetGlyph('a', 6, 13, 12, Solid(6, 13));
  SetGlyph('b', 6, 31, 30, Solid(6, 31));
  Scan();
  for (double zoom : {0.37, 0.5, 0.23, 0.8}) {
    DiscardZoomImages(doc_);
    const MemoryDevice device = Draw(zoom, 240, 240, 8);
    auto last_ink_row = [&](int x) {
      int last = -1;
      for (int y = 0; y < device.Height(); ++y) {
        if (!IsPaper(device.Pixel(x, y))) last = y;
      }
      return last;
    };
    const int a = last_ink_row(static_cast<int>(std::lround(10 * zoom)));
    const int b = last_ink_row(static_cast<int>(std::lround(50 * zoom)));
    EXPECT_GE(a, 0) << zoom;
    EXPECT_EQ(a, b) << zoom;
  }
}

TEST_F(RendererTest, BitsBeyondAGlyphsWidthAreNoInk) {
  // A bitmap whose rows end in set padding bits (not every source clears them).
  Load([&](DviWriter& dvi) { dvi.Down(50 * kPoint).Right(20 * kPoint).Font(0).SetChar('A'); });
  Scan();
  PkGlyph& glyph = Glyph('A');
  glyph.Width = 3;
  glyph.Height = 6;
  glyph.YOffset = 5;
  glyph.Bitmap.assign(6, 0x1F);  // no pixel inside the width is black
  Scan();
  for (double zoom : {1.0, 0.6, 0.25}) {
    DiscardZoomImages(doc_);
    EXPECT_EQ(InkCount(Draw(zoom)), 0) << zoom;
  }
}

TEST_F(RendererTest, ZoomImagesAreMadeOncePerZoom) {
  Load([&](DviWriter& dvi) { dvi.Down(50 * kPoint).Right(20 * kPoint).Font(0).SetChar('A'); });
  Scan();
  SetGlyph('A', 20, 20, 19, Solid(20, 20));
  Scan();
  Draw(0.5);
  const ZoomImage& image = Glyph('A').Zoom;
  ASSERT_FALSE(image.Empty());
  const std::uint8_t* made = image.Bits.data();
  EXPECT_EQ(image.Width, 10);
  Draw(0.5);
  EXPECT_EQ(Glyph('A').Zoom.Bits.data(), made);  // the same image, not made again
  Draw(0.25);
  EXPECT_EQ(Glyph('A').Zoom.Width, 5);
  DiscardZoomImages(doc_);
  EXPECT_TRUE(Glyph('A').Zoom.Empty());
}

// A page with a bit of everything the renderer draws.
void BusyPage(DviWriter& dvi) {
  dvi.Down(30 * kPoint).Right(10 * kPoint).Font(0);
  for (int i = 0; i < 8; ++i) dvi.SetChar('A').Right(13 * kPoint);
  dvi.Down(45 * kPoint).SetRule(7 * kPoint, 150 * kPoint);
  dvi.Push().Right(-100 * kPoint).Special("em:point 1").Down(80 * kPoint).Right(120 * kPoint)
      .Special("em:point 2").Special("em:line 1,2,3pt").Pop();
  dvi.Down(60 * kPoint).Special("em:moveto").Right(50 * kPoint).Down(-40 * kPoint)
      .Special("em:lineto").Right(50 * kPoint).Down(40 * kPoint).Special("em:lineto");
}

TEST_F(RendererTest, BandsLeaveNoSeams) {
  Load(BusyPage);
  Scan();
  SetGlyph('A', 11, 17, 16, {"....###....", "...#####...", "..##...##..", ".##.....##.",
                            "##.......##", "##.......##", "###########", "###########",
                            "##.......##", "##.......##", "##.......##", "##.......##",
                            "##.......##", "##.......##", "##.......##", "##.......##",
                            "##.......##"});
  Scan();
  for (double zoom : {1.0, 0.5, 0.3}) {
    const MemoryDevice whole = Draw(zoom);
    MemoryDevice strips(240, 240, -1);
    int top = 0;
    for (int height : {1, 7, 13, 2, 29, 50, 3, 64, 71}) {
      DrawPage(doc_, strips, {0, top, 240, std::min(240, top + height)}, 1.0, {zoom, 0, 0, true});
      top += height;
    }
    DrawPage(doc_, strips, {0, top, 240, 240}, 1.0, {zoom, 0, 0, true});
    EXPECT_EQ(whole.Pixels(), strips.Pixels()) << zoom;
    EXPECT_GT(InkCount(whole), 100) << zoom;
  }
}

// Scrolling repaints the view in pieces: whatever rectangles the window asks
// for, every pixel comes out as in one paint of the whole view.
TEST_F(RendererTest, ThickSlantedLinesDoNotDependOnTheUpdateRectangles) {
  Load([&](DviWriter& dvi) {
    dvi.Push().Right(13 * kPoint).Down(17 * kPoint).Special("em:point 1").Pop();
    dvi.Push().Right(181 * kPoint).Down(149 * kPoint).Special("em:point 2").Pop();
    dvi.Push().Right(200 * kPoint).Down(9 * kPoint).Special("em:point 3").Pop();
    dvi.Special("em:line 1,2,7.3pt").Special("em:line 3h,1v,4.6pt").Special("em:line 2,3,2.2pt");
    dvi.Special("em:linewidth 5.7pt");
    dvi.Push().Right(30 * kPoint).Down(190 * kPoint).Special("em:moveto").Pop();
    dvi.Push().Right(120 * kPoint).Down(60 * kPoint).Special("em:lineto").Pop();
    dvi.Push().Right(215 * kPoint).Down(201 * kPoint).Special("em:lineto").Pop();
  }, 240 * kPoint, 240 * kPoint);
  Scan();
  for (double zoom : {1.0, 0.73, 0.41}) {
    const MemoryDevice whole = Draw(zoom);
    ASSERT_GT(InkCount(whole), 500) << zoom;
    for (int step : {7, 19, 33, 64}) {
      // A grid of rectangles whose edges fall on every kind of column and
      // row, drawn bottom-right first.
      MemoryDevice pieces(240, 240, -1);
      for (int top = 240 - 240 % step; top >= 0; top -= step) {
        for (int left = 240 - 240 % (step + 3); left >= 0; left -= step + 3) {
          DrawPage(doc_, pieces, {left, top, std::min(240, left + step + 3), std::min(240, top + step)},
                   1.0, {zoom, 0, 0, true});
        }
      }
      EXPECT_EQ(whole.Pixels(), pieces.Pixels()) << "zoom " << zoom << ", pieces of " << step;
    }
  }
}

TEST_F(RendererTest, RulesAtEveryZoom) {
  Load([&](DviWriter& dvi) { dvi.Down(100 * kPoint).Right(10 * kPoint).SetRule(9 * kPoint, 33 * kPoint); });
  Scan();
  for (double zoom : {1.0, 0.9, 0.5, 0.33, 0.1, 0.05}) {
    const int w = std::max(1, static_cast<int>(std::ceil(33 * zoom)));
    const int h = std::max(1, static_cast<int>(std::ceil(9 * zoom)));
    EXPECT_EQ(InkCount(Draw(zoom)), w * h) << zoom;
  }
}

// A page with colour: each rule in its colour on the page's paper, painted
// in page order (a box under its text); grey ink blends with the paper.
TEST_F(RendererTest, ColouredRulesOnColouredPaper) {
  Load([](DviWriter& dvi) {
    dvi.Special("background gray 0.5").Down(20 * kPoint)
        .Special("color push rgb 1 1 0").PutRule(10 * kPoint, 20 * kPoint)
        .Special("color pop").Right(5 * kPoint).PutRule(4 * kPoint, 4 * kPoint);
  });
  Scan();
  for (const double zoom : {1.0, 0.5}) {
    const MemoryDevice device = Draw(zoom, 40, 40);
    const auto at = [&](int x, int y) {
      return device.Pixel(static_cast<int>(x * zoom), static_cast<int>(y * zoom));
    };
    const RgbColour paper = at(30, 30);
    EXPECT_EQ(paper.Red, 127);
    EXPECT_EQ(paper.Blue, 127) << zoom;
    const RgbColour box = at(15, 15);
    EXPECT_TRUE(box.Red == 255 && box.Green == 255 && box.Blue == 0) << zoom;
    EXPECT_TRUE(IsInk(at(7, 19))) << zoom;  // the black rule over the box
  }
  // Grey ink covers as far as its grey is from the paper's, whatever the
  // gamma: half-grey red ink over white is pink, no ink leaves the paper.
  BandImage ink;
  ink.Width = 2;
  ink.Rows = 1;
  ink.BitsPerPixel = 4;
  ink.RowBytes = 4;
  ink.Bits = {0x80, 0, 0, 0};  // pixel 0 half ink, pixel 1 paper
  ink.Palette = GreyPalette(16, 1.0);
  BandImage colour;
  StartColourBand(colour, ink, 1, {255, 255, 255});
  LayInk(colour, ink, 0, 1, {255, 0, 0});
  EXPECT_EQ(colour.Bits[2], 255);  // red, in blue-green-red order
  EXPECT_NEAR(colour.Bits[0], 119, 8);
  EXPECT_EQ(colour.Bits[3], 255);
}

// A device that takes palette bands (moxrender) gets the page a 24-bit
// device gets, at 2 and 4 bits a pixel, and as 24 bits past 16 colours;
// later ink covers earlier ink of another colour.
TEST_F(RendererTest, PaletteBandsGiveThePictureOfColourBands) {
  for (const int colours : {2, 9, 20}) {
    Load([&](DviWriter& dvi) {
      dvi.Special("background rgb 0.9 1 0.8").Down(30 * kPoint).PutRule(4 * kPoint, 50 * kPoint);
      for (int i = 0; i < colours; ++i) {
        const std::string level = std::to_string(i / 20.0);
        dvi.Special("color push rgb " + level + " 0.5 1").Right(2 * kPoint)
            .PutRule(6 * kPoint, 6 * kPoint).Special("color pop");
      }
    });
    Scan();
    const MemoryDevice rgb = Draw(1.0, 61, 40);
    MemoryDevice indexed(61, 40);
    indexed.TakePalette();
    DrawPage(doc_, indexed, {0, 0, 61, 40}, 1.0, {1.0, 0, 0, true});
    EXPECT_EQ(indexed.Pixels(), rgb.Pixels()) << colours << " colours";
    EXPECT_TRUE(IsInk(rgb.Pixel(48, 28))) << colours;
  }
}

TEST_F(RendererTest, PlainAndEncodedImagesLookTheSame) {
  const std::string fixtures = std::string(MOX_FIXTURES_DIR) + "/bmf/";
  Load([&](DviWriter& dvi) {
    dvi.Down(100 * kPoint).Right(10 * kPoint).Special("BMF=" + fixtures + "plain.bmf")
        .Right(100 * kPoint).Special("BMF=" + fixtures + "encoded.bmf");
  });
  Scan();
  ASSERT_EQ(doc_.Page.Items.size(), 3u);
  for (double zoom : {1.0, 0.6}) {
    const MemoryDevice device = Draw(zoom);
    int differences = 0;
    int ink = 0;
    const int step = static_cast<int>(100 * zoom + 0.5);
    for (int y = 0; y < 240; ++y) {
      for (int x = 0; x + step < 240; ++x) {
        const RgbColour a = device.Pixel(x, y);
        const RgbColour b = device.Pixel(x + step, y);
        if (x < step) {
          ink += !IsPaper(a);
          differences += a.Red != b.Red;
        }
      }
    }
    EXPECT_GT(ink, 50) << zoom;
    EXPECT_EQ(differences, 0) << zoom;
  }
}

TEST_F(RendererTest, AboveZoomOneEveryPixelBecomesABlock) {
  // Printing at twice the font resolution: a one-pixel stroke stays a stroke
  // of two pixels each way, in both directions.
  Load([&](DviWriter& dvi) { dvi.Down(40 * kPoint).Right(30 * kPoint).Font(0).SetChar('A'); });
  Scan();
  SetGlyph('A', 3, 3, 3, {"#..", ".#.", "..#"});
  Scan();
  const MemoryDevice device = Draw(2.0);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(IsInk(device.Pixel(60 + x, 74 + y)), x / 2 == y / 2) << x << "," << y;
    }
  }
}

TEST_F(RendererTest, LinesNeedBothTheirPoints) {
  Load([&](DviWriter& dvi) {
    dvi.Down(20 * kPoint).Right(20 * kPoint).Special("em:point 1").Down(100 * kPoint)
        .Right(100 * kPoint).Special("em:point 2").Special("em:line 1,2")
        .Special("em:line 1,9");
  });
  Scan();
  const MemoryDevice device = Draw(1.0);
  EXPECT_TRUE(IsInk(device.Pixel(70, 70)));
  EXPECT_TRUE(IsInk(device.Pixel(20, 20)));
  EXPECT_NE(std::find(ui_.Captions.begin(), ui_.Captions.end(),
                      "Warning: em:point 9 undefined, line ignored."),
            ui_.Captions.end());
}

TEST_F(RendererTest, LinesFindTheirPointsLaterOnThePageNearestBeforeAndNeverOnAnotherPage) {
  const auto at = [&](DviWriter& dvi, int x, int y, const std::string& special) {
    dvi.Push().Right(x * kPoint).Down(y * kPoint).Special(special).Pop();
  };
  DviWriter dvi;
  dvi.Preamble("em points");
  dvi.BeginPage(1);
  dvi.Special("em:line 1,2");  // both points come later on the page
  at(dvi, 20, 20, "em:point 1");
  at(dvi, 120, 20, "em:point 2");
  at(dvi, 20, 100, "em:point 3");
  at(dvi, 20, 140, "em:point 3");  // the nearest before the line
  at(dvi, 120, 140, "em:point 5");
  dvi.Special("em:line 3,5");
  at(dvi, 20, 180, "em:point 3");  // after the line: not taken
  dvi.Special("em:line 1,9");  // point 9 is on page 2 only
  dvi.EndPage();
  dvi.BeginPage(2);
  at(dvi, 20, 220, "em:point 9");
  dvi.EndPage();
  dvi.Finish({.Fonts = {{.Number = 0, .Name = "cmr10"}}});
  ASSERT_EQ(OpenBytes(dvi.Data()), 0);
  ASSERT_EQ(PreScan(doc_), 0);
  Scan();
  const MemoryDevice device = Draw(1.0);
  EXPECT_TRUE(IsInk(device.Pixel(70, 20)));    // 1 to 2
  EXPECT_TRUE(IsInk(device.Pixel(70, 140)));   // 3 (the second) to 5
  EXPECT_TRUE(IsPaper(device.Pixel(70, 120))); // not from the first 3
  EXPECT_TRUE(IsPaper(device.Pixel(70, 160))); // nor from the one after
  EXPECT_TRUE(IsPaper(device.Pixel(20, 120))); // no line towards page 2's point
  EXPECT_NE(std::find(ui_.Captions.begin(), ui_.Captions.end(),
                      "Warning: em:point 9 undefined, line ignored."),
            ui_.Captions.end());
}

TEST_F(RendererTest, TheFrameOutlinesThePageWithItsMargins) {
  Load([&](DviWriter&) {}, 100 * kPoint, 50 * kPoint);
  Scan();
  MemoryDevice device(200, 200, -1);
  DrawPage(doc_, device, {0, 0, 200, 200}, 1.0, {1.0, 10, 10, false});
  auto dots = [&](int x0, int y0, int dx, int dy, int n) {
    std::string line;
    for (int i = 0; i < n; ++i) {
      const RgbColour c = device.Pixel(x0 + i * dx, y0 + i * dy);
      line += c.Red == 0 && c.Green == 0 && c.Blue == 255 ? '#' : IsPaper(c) ? '.' : '?';
    }
    return line;
  };
  // Dots of three, gaps of three; every side starts with a dot at its corner.
  EXPECT_EQ(dots(0, 0, 1, 0, 14), "###...###...##");
  EXPECT_EQ(dots(119, 0, 0, 1, 8), "###...##");        // right side, page width + margins - 1
  EXPECT_EQ(dots(119, 69, -1, 0, 8), "###...##");      // bottom side
  EXPECT_EQ(dots(0, 69, 0, -1, 8), "###...##");        // left side
  EXPECT_EQ(dots(120, 0, 1, 0, 5), ".....");            // nothing beyond the page
  EXPECT_TRUE(IsPaper(device.Pixel(10, 80)));
}

TEST_F(RendererTest, AnAbsurdPageSizeSaturatesAndItsFrameIsDrawnOnlyWhereSeen) {
  Load([&](DviWriter&) {}, 100 * kPoint, 50 * kPoint);
  Scan();
  // Conversion factors a crafted magnification can give.
  doc_.Dvi.ConversionX = doc_.Dvi.ConversionY = 1e9;
  EXPECT_EQ(PageExtentAt(doc_.Dvi, 1.0, 10, 10).Width, INT32_MAX);
  MemoryDevice device(40, 40, -1);
  EXPECT_TRUE(DrawPage(doc_, device, {0, 0, 40, 40}, 1.0, {1.0, 10, 10, false}));
  // The top side starts at the corner; the left side ends there, its dots
  // counted from the bottom row, 2^31 - 2 pixels further down.
  std::string top;
  std::string left;
  for (int i = 0; i < 12; ++i) {
    top += device.Pixel(i, 0).Blue == 255 && device.Pixel(i, 0).Red == 0 ? '#' : '.';
    left += device.Pixel(0, i).Blue == 255 && device.Pixel(0, i).Red == 0 ? '#' : '.';
  }
  EXPECT_EQ(top, "###...###...");
  EXPECT_EQ(left, "#...###...##");
}

TEST_F(RendererTest, ARectangleTooWideForABandIsRefused) {
  Load([&](DviWriter&) {});
  Scan();
  MemoryDevice device(1, 1, -1);
  EXPECT_FALSE(DrawPage(doc_, device, {0, 0, 600000, 10}, 1.0, {1.0, 0, 0, true}));
  EXPECT_EQ(OnlyError(), "Error: drawing rectangle too wide!");
}

TEST(GreyPaletteTest, RunsFromWhiteToBlackBentByGamma) {
  const std::vector<RgbColour> linear = GreyPalette(16, 1.0);
  EXPECT_EQ(linear.front().Red, 255);
  EXPECT_EQ(linear.back().Red, 0);
  EXPECT_EQ(linear[5].Red, 170);
  EXPECT_LT(GreyPalette(16, 2.0)[8].Red, linear[8].Red);        // darker middle
  EXPECT_GT(GreyPalette(16, -2.0)[1].Red, GreyPalette(16, 2.0)[1].Red);
  const std::vector<RgbColour> two = GreyPalette(2, 1.0);
  EXPECT_EQ(two[0].Red, 255);
  EXPECT_EQ(two[1].Red, 0);
}

}  // namespace
}  // namespace mox::test
