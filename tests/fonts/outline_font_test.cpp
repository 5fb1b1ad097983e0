// The Chinese outline font driver on small fonts written by the font writer:
// shapes with known pixels, the three file types, every error code, and
// damaged files and streams that must neither crash nor reach past a buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "previewer/fonts/outline_font.h"
#include "previewer/fonts/outline_font_format.h"
#include "tests/fonts/outline_test_support.h"
#include "tests/support/temp_dir.h"
#include "tools/mkhzfont/outline_font_writer.h"

namespace mox {
namespace {

namespace fmt = outline_format;
using hzfont::Contour;
using hzfont::FontImage;
using hzfont::GridPoint;
using hzfont::Segment;
using test::Bitmap;
using test::Polygon;
using test::RenderGlyph;

std::vector<std::uint8_t> Glyph(const std::vector<Contour>& contours) {
  return hzfont::EncodeGlyph(contours, 256, 256);
}

// A circle of four cubics around (cx, cy).
Contour Circle(int cx, int cy, int r) {
  const int k = static_cast<int>(std::lround(r * 0.5523));
  Contour c{{cx + r, cy}, {}};
  c.Segments.push_back(Segment::Curve({cx + r, cy + k}, {cx + k, cy + r}, {cx, cy + r}));
  c.Segments.push_back(Segment::Curve({cx - k, cy + r}, {cx - r, cy + k}, {cx - r, cy}));
  c.Segments.push_back(Segment::Curve({cx - r, cy - k}, {cx - k, cy - r}, {cx, cy - r}));
  c.Segments.push_back(Segment::Curve({cx + k, cy - r}, {cx + r, cy - k}, {cx + r, cy}));
  return c;
}

class OutlineTest : public ::testing::Test {
 protected:
  void TearDown() override { font_.Close(); }

  std::string Write(const FontImage& image, const std::string& name = "font.hz") {
    const std::string path = dir_.File(name);
    const std::vector<std::uint8_t> bytes = hzfont::WriteFont(image);
    test::WriteFile(path, std::string(bytes.begin(), bytes.end()));
    return path;
  }

  // Opens a font of the given glyph streams.
  void Open(const std::vector<std::vector<std::uint8_t>>& glyphs, int type = fmt::kScrambled,
            int design = 256) {
    FontImage image;
    image.Type = type;
    image.DesignWidth = image.DesignHeight = design;
    image.Glyphs = glyphs;
    ASSERT_EQ(font_.Open(Write(image)), kOutlineOk);
  }

  test::TempDir dir_;
  OutlineFontFile font_;
};

// --- Shapes -----------------------------------------------------------------

using OutlineShapes = OutlineTest;

TEST_F(OutlineShapes, SquareFillsItsCellsInclusively) {
  // Corners (64, 64) and (192, 192) of 256 are pixels 4 and 12 of 16; both
  // orientations give the same 9 by 9 block.
  Open({Glyph({Polygon({{64, 64}, {192, 64}, {192, 192}, {64, 192}})}),
        Glyph({Polygon({{64, 64}, {64, 192}, {192, 192}, {192, 64}})})});
  for (int k = 0; k < 2; ++k) {
    const Bitmap b = RenderGlyph(font_, k, 16, 16);
    ASSERT_EQ(b.Result, kOutlineOk);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(b.At(x, y), x >= 4 && x <= 12 && y >= 4 && y <= 12) << k << ": " << x << "," << y;
      }
    }
  }
}

TEST_F(OutlineShapes, DiamondTipsArePaintedHalfARowOut) {
  // Local top and bottom (reversing vertices) and same-direction vertices at
  // the sides, at 16 by 16: tips at rows 1 and 15, sides at columns 1 and 15.
  Open({Glyph({Polygon({{128, 16}, {240, 128}, {128, 240}, {16, 128}})})});
  const Bitmap b = RenderGlyph(font_, 0, 16, 16);
  ASSERT_EQ(b.Result, kOutlineOk);
  EXPECT_EQ(b.Picture(),
            "................\n"
            ".......###......\n"
            ".......###......\n"
            "......#####.....\n"
            ".....#######....\n"
            "....#########...\n"
            "...###########..\n"
            "..#############.\n"
            ".###############\n"
            "..#############.\n"
            "...###########..\n"
            "....#########...\n"
            ".....#######....\n"
            "......#####.....\n"
            ".......###......\n"
            ".......###......\n");
}

TEST_F(OutlineShapes, SlantedEdgesStepByRoundedColumns) {
  // Corners at pixels (1, 1), (14, 5) and (1, 5) of 16: the long edge steps
  // 13/4 columns a row, reaching columns 1, 4, 8, 11 and 14 (rounded, the
  // error term starting at half a row); each row is filled from the
  // vertical edge to where the slanted one enters it and painted on to
  // where it leaves. The top corner is painted half a row out (1 to 3).
  Open({Glyph({Polygon({{16, 16}, {224, 80}, {16, 80}})})});
  const Bitmap b = RenderGlyph(font_, 0, 16, 16);
  ASSERT_EQ(b.Result, kOutlineOk);
  EXPECT_EQ(b.Picture(),
            "................\n"
            ".###............\n"
            ".#######........\n"
            ".##########.....\n"
            ".#############..\n"
            ".##############.\n"
            "................\n"
            "................\n"
            "................\n"
            "................\n"
            "................\n"
            "................\n"
            "................\n"
            "................\n"
            "................\n"
            "................\n");
}

TEST_F(OutlineShapes, HorizontalRunsKeepTheCrossingsPaired) {
  // A staircase (runs between edges going the same way), a shape with flat
  // top and bottom between reversals, and a contour flat on one row.
  Open({Glyph({Polygon({{20, 20}, {100, 20}, {100, 80}, {160, 80}, {160, 140}, {220, 140},
                        {220, 220}, {20, 220}})}),
        Glyph({Polygon({{60, 30}, {200, 30}, {240, 128}, {200, 220}, {60, 220}, {20, 128}})}),
        Glyph({Polygon({{30, 100}, {200, 100}, {120, 100}})})});
  for (int size : {16, 33, 100}) {
    const Bitmap stairs = RenderGlyph(font_, 0, size, size);
    ASSERT_EQ(stairs.Result, kOutlineOk);
    test::ExpectCoversPolygon(stairs, {{20, 20}, {100, 20}, {100, 80}, {160, 80}, {160, 140},
                                       {220, 140}, {220, 220}, {20, 220}});
    const Bitmap hexagon = RenderGlyph(font_, 1, size, size);
    ASSERT_EQ(hexagon.Result, kOutlineOk);
    test::ExpectCoversPolygon(hexagon, {{60, 30}, {200, 30}, {240, 128}, {200, 220}, {60, 220}, {20, 128}});
    const Bitmap flat = RenderGlyph(font_, 2, size, size);
    ASSERT_EQ(flat.Result, kOutlineOk);
    const int row = 100 * size / 256;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        EXPECT_EQ(flat.At(x, y), y == row && x >= 30 * size / 256 && x <= 200 * size / 256);
      }
    }
  }
}

TEST_F(OutlineShapes, EveryPixelOfASampleOfPolygonsIsPlaced) {
  // Random simple (star-shaped) polygons: every pixel whose centre lies
  // inside is inked, and nothing lies more than a pixel and a half outside.
  std::mt19937 random(7);
  std::vector<std::vector<GridPoint>> shapes;
  for (int i = 0; i < 40; ++i) {
    const int corners = 3 + static_cast<int>(random() % 9);
    std::vector<GridPoint> points;
    for (int c = 0; c < corners; ++c) {
      const double angle = 2 * 3.14159265358979 * (c + 0.8 * (random() % 100) / 100.0) / corners;
      const double radius = 30 + static_cast<double>(random() % 95);
      points.push_back({static_cast<int>(std::lround(128 + radius * std::cos(angle))),
                        static_cast<int>(std::lround(128 + radius * std::sin(angle)))});
    }
    shapes.push_back(points);
  }
  std::vector<std::vector<std::uint8_t>> glyphs;
  for (const auto& shape : shapes) glyphs.push_back(Glyph({Polygon(shape)}));
  Open(glyphs);
  for (std::size_t k = 0; k < shapes.size(); ++k) {
    for (int size : {12, 24, 57}) {
      const Bitmap b = RenderGlyph(font_, static_cast<int>(k), size, size);
      ASSERT_EQ(b.Result, kOutlineOk) << k;
      test::ExpectCoversPolygon(b, shapes[k]);
      test::ExpectInsideDilatedPolygon(b, shapes[k], 1.0);
    }
  }
}

TEST_F(OutlineShapes, CurvesFollowTheCircle) {
  Open({Glyph({Circle(128, 128, 100)}), Glyph({Circle(128, 128, 100), Circle(128, 128, 50)})});
  for (int size : {24, 48, 120}) {
    const Bitmap disc = RenderGlyph(font_, 0, size, size);
    ASSERT_EQ(disc.Result, kOutlineOk);
    // Compared with the pixels whose centres lie in the circle: the
    // driver inks every pixel the outline touches, about one more per row.
    const double scale = size / 256.0;
    const double r = 100 * scale;
    const double c = 128 * scale;
    int inside = 0, outside = 0, missed = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const double d = std::hypot(x + 0.5 - c, y + 0.5 - c);
        if (d <= r - 1.0 && !disc.At(x, y)) ++missed;
        if (d > r + 1.5 && disc.At(x, y)) ++outside;
        if (disc.At(x, y)) ++inside;
      }
    }
    EXPECT_EQ(missed, 0) << size;
    EXPECT_EQ(outside, 0) << size;
    const double area = 3.14159265358979 * r * r;
    EXPECT_GT(inside, area) << size;
    EXPECT_LT(inside, area + 2 * 3.14159265358979 * r * 1.2 + 4) << size;
    // The inner circle is a hole (contours fill by pairs of crossings).
    const Bitmap ring = RenderGlyph(font_, 1, size, size);
    ASSERT_EQ(ring.Result, kOutlineOk);
    EXPECT_FALSE(ring.At(static_cast<int>(c), static_cast<int>(c)));
    EXPECT_TRUE(ring.At(static_cast<int>(c), static_cast<int>(c - 75 * scale)));
  }
}

TEST_F(OutlineShapes, DeltasWrapAroundTheDesignSize) {
  // The same square written by hand with steps back as size - d, in a
  // design of 100 by 50 units.
  const std::vector<std::uint8_t> square = {
      fmt::kStartContour, fmt::kPoint, 25, 10,  // (25, 10)
      fmt::kPolyline,     50, 0,       0,  30,  // (75, 10), (75, 40)
      50,                 0,           0,  0,   // (25, 40)
      fmt::kEndContour,   fmt::kEndGlyph};
  FontImage image;
  image.DesignWidth = 100;
  image.DesignHeight = 50;
  image.Glyphs = {square};
  ASSERT_EQ(font_.Open(Write(image)), kOutlineOk);
  const Bitmap b = RenderGlyph(font_, 0, 20, 10);
  ASSERT_EQ(b.Result, kOutlineOk);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) EXPECT_EQ(b.At(x, y), x >= 5 && x <= 15 && y >= 2 && y <= 8);
  }
}

TEST_F(OutlineShapes, EmptyGlyphAndUntouchedNeighbours) {
  // An empty glyph clears the destination; nothing beyond the destination
  // or beyond the crossing lists the buffer can hold is written.
  Open({Glyph({}), Glyph({Circle(128, 128, 127), Polygon({{0, 0}, {255, 0}, {255, 255}, {0, 255}})})});
  for (int k = 0; k < 2; ++k) {
    for (int width : {1, 7, 8, 9, 33}) {
      const int height = 13;
      const std::size_t bytes = static_cast<std::size_t>((width + 7) / 8 * height);
      std::vector<std::uint8_t> destination(bytes + 16, 0xA5);
      const std::size_t crossing_bytes = 4 * 20 * height + 3;
      std::vector<std::uint8_t> crossings(crossing_bytes + 16, 0x5A);
      ASSERT_EQ(font_.Render(destination.data(), k, width, height, crossings.data(), crossing_bytes),
                kOutlineOk);
      for (std::size_t i = bytes; i < destination.size(); ++i) ASSERT_EQ(destination[i], 0xA5);
      for (std::size_t i = 4 * 20 * height; i < crossings.size(); ++i) ASSERT_EQ(crossings[i], 0x5A);
      if (k == 0) {
        EXPECT_TRUE(std::all_of(destination.begin(), destination.begin() + static_cast<long>(bytes),
                                [](std::uint8_t v) { return v == 0; }));
      }
    }
  }
}

// --- File types -------------------------------------------------------------

using OutlineTypes = OutlineTest;

TEST_F(OutlineTypes, AllThreeTypesDrawTheSameGlyphs) {
  const std::vector<std::vector<std::uint8_t>> glyphs = {
      Glyph({}),
      Glyph({Polygon({{64, 64}, {192, 64}, {192, 192}, {64, 192}})}),
      Glyph({Circle(128, 128, 100), Polygon({{100, 100}, {100, 160}, {160, 160}, {160, 100}})}),
      Glyph({Polygon({{128, 16}, {240, 128}, {128, 240}, {16, 128}}), Circle(60, 60, 30)}),
  };
  std::vector<std::vector<std::string>> pictures(3);
  for (int type = 1; type <= 3; ++type) {
    FontImage image;
    image.Type = type;
    image.FirstCode = 1410;
    image.Glyphs = glyphs;
    ASSERT_EQ(font_.Open(Write(image, "type" + std::to_string(type))), kOutlineOk);
    EXPECT_EQ(font_.GlyphCount(), 4);
    for (int k = 0; k < 4; ++k) {
      for (auto [w, h] : {std::pair{13, 17}, std::pair{40, 40}}) {
        const Bitmap b = RenderGlyph(font_, k, w, h);
        ASSERT_EQ(b.Result, kOutlineOk) << "type " << type << " glyph " << k;
        pictures[static_cast<std::size_t>(type - 1)].push_back(b.Picture());
      }
    }
  }
  EXPECT_EQ(pictures[0], pictures[1]);
  EXPECT_EQ(pictures[0], pictures[2]);
  EXPECT_NE(pictures[0][2], pictures[0][4]);
}

TEST_F(OutlineTypes, OpeningReadsTheFileOnceAndRenderingOpensNothing) {
  struct Counting : platform::FileSystem {
    int Opens = 0;
    std::FILE* Open(const std::string& path, const char* mode) override {
      ++Opens;
      return platform::SystemFiles().Open(path, mode);
    }
    bool Remove(const std::string& path) override { return platform::SystemFiles().Remove(path); }
    bool Rename(const std::string& from, const std::string& to) override {
      return platform::SystemFiles().Rename(from, to);
    }
    bool Exists(const std::string& path) override { return platform::SystemFiles().Exists(path); }
  } counting;
  FontImage image;
  image.Type = fmt::kTreeCoded;
  image.Glyphs = {Glyph({Circle(128, 128, 90)}), Glyph({})};
  const std::string path = Write(image);
  platform::FileSystem* previous = platform::SetFiles(&counting);
  EXPECT_EQ(font_.Open(path), kOutlineOk);
  EXPECT_EQ(RenderGlyph(font_, 0, 30, 30).Result, kOutlineOk);
  EXPECT_EQ(RenderGlyph(font_, 1, 30, 30).Result, kOutlineOk);
  // Opening another font closes the first.
  EXPECT_EQ(font_.Open(path), kOutlineOk);
  platform::SetFiles(previous);
  EXPECT_EQ(counting.Opens, 2);
  font_.Close();
  EXPECT_FALSE(font_.IsOpen());
  EXPECT_EQ(font_.GlyphCount(), 0);
}

// --- Errors -----------------------------------------------------------------

class OutlineErrors : public OutlineTest {
 protected:
  // A valid font's bytes, to be spoilt.
  std::string Bytes(int type, int glyphs = 2) {
    FontImage image;
    image.Type = type;
    for (int i = 0; i < glyphs; ++i) image.Glyphs.push_back(Glyph({Circle(128, 128, 60 + i)}));
    const std::vector<std::uint8_t> bytes = hzfont::WriteFont(image);
    return std::string(bytes.begin(), bytes.end());
  }
  int OpenBytes(const std::string& bytes) {
    const std::string path = dir_.File("spoilt.hz");
    test::WriteFile(path, bytes);
    return font_.Open(path);
  }
  static void Put16(std::string& bytes, std::size_t at, int value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
  }
  static void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
  }
};

TEST_F(OutlineErrors, OpeningRefusesWhatItCannotReadOrTrust) {
  EXPECT_EQ(font_.Open(dir_.File("missing.hz")), kOutlineReadError);
  EXPECT_EQ(OpenBytes(Bytes(1).substr(0, 11)), kOutlineReadError);  // ends in the header
  EXPECT_EQ(OpenBytes(Bytes(1).substr(0, 20)), kOutlineReadError);  // ends in the offsets
  EXPECT_EQ(OpenBytes(Bytes(2).substr(0, 13)), kOutlineReadError);  // no record size
  EXPECT_EQ(OpenBytes(Bytes(3).substr(0, 28)), kOutlineReadError);  // ends before the tree
  EXPECT_FALSE(font_.IsOpen());

  auto spoilt = [&](int type, auto&& change) {
    std::string bytes = Bytes(type);
    change(bytes);
    return OpenBytes(bytes);
  };
  EXPECT_EQ(spoilt(1, [](std::string& b) { b[0] = 0x00; }), kOutlineBadHeader);
  EXPECT_EQ(spoilt(1, [](std::string& b) { b[1] = static_cast<char>(0xFE); }), kOutlineBadHeader);
  EXPECT_EQ(spoilt(1, [](std::string& b) { b[2] = 4; }), kOutlineBadHeader);
  EXPECT_EQ(spoilt(1, [](std::string& b) { b[2] = 0; }), kOutlineBadHeader);
  EXPECT_EQ(spoilt(1, [](std::string& b) { b[3] = 1; }), kOutlineBadHeader);
  EXPECT_EQ(spoilt(1, [](std::string& b) { Put16(b, 4, 5); Put16(b, 6, 4); }), kOutlineBadHeader);
  EXPECT_EQ(spoilt(1, [](std::string& b) { Put16(b, 8, 0); }), kOutlineBadHeader);
  EXPECT_EQ(spoilt(1, [](std::string& b) { Put16(b, 10, 0x8000); }), kOutlineBadHeader);
  // Offsets outside the file or running backwards.
  EXPECT_EQ(spoilt(1, [](std::string& b) { Put32(b, 20, static_cast<std::uint32_t>(b.size() + 1)); }),
            kOutlineBadHeader);
  EXPECT_EQ(spoilt(1, [](std::string& b) { Put32(b, 12, 2); }), kOutlineBadHeader);
  EXPECT_EQ(spoilt(3, [](std::string& b) { Put32(b, 16, 30); }), kOutlineBadHeader);
  // Type 2 records that the file does not hold, or of no size.
  EXPECT_EQ(spoilt(2, [](std::string& b) { b.pop_back(); }), kOutlineBadHeader);
  EXPECT_EQ(spoilt(2, [](std::string& b) { Put16(b, 12, 0); }), kOutlineBadHeader);
  // Trees without nodes or with a child outside the tree.
  const std::size_t tree = 12 + 4 * 3;
  EXPECT_EQ(spoilt(3, [&](std::string& b) { b[tree] = 0; }), kOutlineBadHeader);
  EXPECT_EQ(spoilt(3, [&](std::string& b) {
              b[tree + 4 + 2] = static_cast<char>(static_cast<unsigned char>(b[tree]) + 1);
            }),
            kOutlineBadHeader);
  EXPECT_FALSE(font_.IsOpen());
  EXPECT_EQ(OpenBytes(Bytes(3)), kOutlineOk);
}

TEST_F(OutlineErrors, GlyphCountsUpToTheOffsetTable) {
  // 3760 glyphs fill the offset table; one more is a bad header.
  std::string bytes = Bytes(2, 1);
  Put16(bytes, 4, 0);
  Put16(bytes, 6, 3759);
  bytes.resize(16 + 3760 * static_cast<std::size_t>(static_cast<unsigned char>(bytes[12]) |
                                                     static_cast<unsigned char>(bytes[13]) << 8));
  EXPECT_EQ(OpenBytes(bytes), kOutlineOk);
  EXPECT_EQ(font_.GlyphCount(), 3760);
  Put16(bytes, 6, 3760);
  EXPECT_EQ(OpenBytes(bytes), kOutlineBadHeader);
}

TEST_F(OutlineErrors, RenderingChecksInOrder) {
  std::vector<std::uint8_t> destination(64, 0xFF);
  std::vector<std::uint8_t> crossings(4096);
  auto render = [&](int k, int w, int h, std::size_t crossing_bytes = 4000) {
    // Bytes past the given size are watched.
    std::fill(crossings.begin() + static_cast<long>(crossing_bytes), crossings.end(), 0xEE);
    const int result = font_.Render(destination.data(), k, w, h, crossings.data(), crossing_bytes);
    EXPECT_TRUE(std::all_of(crossings.begin() + static_cast<long>(crossing_bytes), crossings.end(),
                            [](std::uint8_t v) { return v == 0xEE; }));
    return result;
  };
  EXPECT_EQ(render(0, 8, 8), kOutlineNotOpen);
  Open({Glyph({Polygon({{10, 10}, {240, 10}, {240, 240}})}), Glyph({}),
        Glyph({Polygon({{10, 10}, {240, 10}, {240, 240}, {10, 240}})})});
  EXPECT_EQ(render(-1, 0, 8), kOutlineBadIndex);
  EXPECT_EQ(render(3, 0, 8), kOutlineBadIndex);  // k == count
  EXPECT_EQ(render(1, 0, 8), kOutlineEmptyCell);
  EXPECT_EQ(render(1, 8, 0), kOutlineEmptyCell);
  EXPECT_EQ(render(1, 8, -3), kOutlineEmptyCell);
  EXPECT_EQ(destination[0], 0xFF);  // untouched so far
  // No room for one entry a row: the destination is cleared all the same.
  EXPECT_EQ(render(0, 8, 8, 4 * 8 - 1), kOutlineTableFull);
  EXPECT_EQ(destination[0], 0);
  // Room for the length and one crossing a row; the triangle needs two.
  EXPECT_EQ(render(0, 8, 8, 8 * 8), kOutlineTableFull);
  EXPECT_EQ(render(0, 8, 8, 12 * 8), kOutlineOk);
  // Two rows: only the last row's list gets crossings (two, at the ends of
  // the square's bottom edge), which need three entries.
  EXPECT_EQ(render(2, 8, 2, 8 * 2), kOutlineTableFull);
  EXPECT_EQ(render(2, 8, 2, 12 * 2), kOutlineOk);
}

TEST_F(OutlineErrors, BadCommandsAndShortDataGive512) {
  const std::vector<std::vector<std::uint8_t>> glyphs = {
      {fmt::kStartContour, 7, fmt::kEndGlyph},                 // no such command
      {fmt::kStartContour, fmt::kPoint, 10, 10, 253},          // nor this
      {fmt::kStartContour, fmt::kPoint, 10, 10, fmt::kPoint},  // ends where dx is due
      {fmt::kStartContour, fmt::kPoint, 10},                   // ends where dy is due
      {fmt::kStartContour, fmt::kPolyline, 10, 10, 20, 0},     // polyline without 0, 0
      {fmt::kStartContour, fmt::kCubic, 10, 10, 20, 20},       // curve short of a point
      {fmt::kStartContour, fmt::kPoint, 10, 10, fmt::kPoint, 100, 0, fmt::kPoint, 0, 100,
       fmt::kEndContour},  // no end of glyph
      {},
      {fmt::kStartContour, fmt::kPoint, 10, 10, fmt::kPoint, 100, 0, fmt::kPoint, 0, 100,
       fmt::kEndContour, fmt::kEndGlyph},  // fine
  };
  for (int type = 1; type <= 3; ++type) {
    if (type == 2) continue;  // records are padded with ends of glyph
    Open(glyphs, type);
    for (int k = 0; k < 8; ++k) {
      EXPECT_EQ(RenderGlyph(font_, k, 20, 20).Result, kOutlineBadData) << "type " << type << " glyph " << k;
    }
    EXPECT_EQ(RenderGlyph(font_, 8, 20, 20).Result, kOutlineOk);
  }
  // In type 2 every record holds all its bytes, so only bad commands fail.
  Open(glyphs, fmt::kFixedRecords);
  EXPECT_EQ(RenderGlyph(font_, 0, 20, 20).Result, kOutlineBadData);
  EXPECT_EQ(RenderGlyph(font_, 1, 20, 20).Result, kOutlineBadData);
  EXPECT_EQ(RenderGlyph(font_, 8, 20, 20).Result, kOutlineOk);
}

TEST_F(OutlineErrors, TreeCodedDataEndingInsideACode) {
  // Glyph 1's bytes are cut to those of its first value: the second value
  // (the first delta) has no bits left.
  FontImage image;
  image.Type = fmt::kTreeCoded;
  image.Glyphs = {Glyph({Circle(128, 128, 90)}), Glyph({Circle(128, 128, 90)})};
  std::vector<std::uint8_t> bytes = hzfont::WriteFont(image);
  const std::uint32_t second = bytes[16] | bytes[17] << 8 | bytes[18] << 16 | static_cast<std::uint32_t>(bytes[19]) << 24;
  const std::uint32_t cut = second + 1;
  for (int i = 0; i < 4; ++i) bytes[20 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(cut >> (8 * i));
  bytes.resize(cut);
  test::WriteFile(dir_.File("cut.hz"), std::string(bytes.begin(), bytes.end()));
  ASSERT_EQ(font_.Open(dir_.File("cut.hz")), kOutlineOk);
  EXPECT_EQ(RenderGlyph(font_, 0, 20, 20).Result, kOutlineOk);
  EXPECT_EQ(RenderGlyph(font_, 1, 20, 20).Result, kOutlineBadData);
}

TEST_F(OutlineErrors, DamagedFilesAndStreamsStayInsideTheirBuffers) {
  // Random command streams and files with random bytes changed: every
  // result is one of the codes, nothing is written outside the buffers
  // (and the sanitizers watch every read). Closed contours never leave a
  // row with an odd number of crossings.
  std::mt19937 random(1234);
  std::vector<std::vector<std::uint8_t>> glyphs;
  for (int i = 0; i < 60; ++i) {
    std::vector<std::uint8_t> stream;
    const int length = static_cast<int>(random() % 120);
    for (int j = 0; j < length; ++j) {
      const unsigned pick = random() % 10;
      stream.push_back(pick < 2   ? static_cast<std::uint8_t>(random() % 4)
                       : pick < 3 ? fmt::kEndContour
                                  : static_cast<std::uint8_t>(random()));
    }
    if (i % 3 != 0) stream.push_back(fmt::kEndGlyph);
    glyphs.push_back(stream);
  }
  for (int type = 1; type <= 3; ++type) {
    FontImage image;
    image.Type = type;
    image.Glyphs = glyphs;
    const std::vector<std::uint8_t> good = hzfont::WriteFont(image);
    for (int round = 0; round < 12; ++round) {
      std::vector<std::uint8_t> bytes = good;
      if (round > 0) {
        for (int change = 0; change < 1 + round; ++change) {
          bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        }
      }
      test::WriteFile(dir_.File("random.hz"), std::string(bytes.begin(), bytes.end()));
      const int opened = font_.Open(dir_.File("random.hz"));
      ASSERT_TRUE(opened == kOutlineOk || opened == kOutlineReadError || opened == kOutlineBadHeader);
      if (opened != kOutlineOk) continue;
      for (int k = 0; k < font_.GlyphCount(); ++k) {
        const int width = 1 + static_cast<int>(random() % 70);
        const int height = 1 + static_cast<int>(random() % 70);
        const std::size_t bytes_out = static_cast<std::size_t>((width + 7) / 8 * height);
        std::vector<std::uint8_t> destination(bytes_out + 8, 0xC3);
        const std::size_t crossing_bytes = 4 * height * (1 + random() % 40);
        std::vector<std::uint8_t> crossings(crossing_bytes + 8, 0x3C);
        const int result = font_.Render(destination.data(), k, width, height, crossings.data(),
                                              crossing_bytes);
        EXPECT_TRUE(result == kOutlineOk || result == kOutlineBadData || result == kOutlineTableFull)
            << "type " << type << " round " << round << " glyph " << k << ": " << result;
        for (std::size_t i = bytes_out; i < destination.size(); ++i) ASSERT_EQ(destination[i], 0xC3);
        for (std::size_t i = crossing_bytes; i < crossings.size(); ++i) ASSERT_EQ(crossings[i], 0x3C);
      }
    }
  }
}

// --- The format -------------------------------------------------------------

TEST(OutlineFormat, DescramblingFollowsTheRuleAndItsInverse) {
  // Values worked out by hand from the rule and the key tables.
  auto descramble = [](int k, std::vector<std::uint8_t> raw) {
    fmt::KeyPositions at = fmt::KeyPositions::ForGlyph(k);
    for (std::uint8_t& value : raw) {
      value = fmt::Descramble(value, at);
      at.Step();
    }
    return raw;
  };
  EXPECT_EQ(descramble(20, {0x10, 0xFF, 0x00}), (std::vector<std::uint8_t>{0x30, 0xE1, 0xB4}));
  EXPECT_EQ(descramble(0, {0x00, 0x00}), (std::vector<std::uint8_t>{0x0F, 0x5B}));  // p17 0 -> 16
  EXPECT_EQ(descramble(322, {0x42}), (std::vector<std::uint8_t>{0xF1}));            // 16, 18
  fmt::KeyPositions wrap = fmt::KeyPositions::ForGlyph(322);
  wrap.Step();
  EXPECT_EQ(wrap.P17, 15);
  EXPECT_EQ(wrap.P19, 0);

  // The writer's scrambling is undone for every value at every position.
  for (int k : {0, 1, 16, 17, 18, 19, 322, 3759}) {
    std::vector<std::uint8_t> plain(700);
    for (std::size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<std::uint8_t>(i * 7 + k);
    const std::vector<std::uint8_t> scrambled = hzfont::ScrambleGlyph(k, plain);
    EXPECT_NE(scrambled, plain);
    EXPECT_EQ(descramble(k, scrambled), plain) << k;
  }
}

TEST(OutlineFormat, TreeCodesDecodeToTheirValues) {
  auto round_trip = [](const std::array<std::uint64_t, 256>& frequencies,
                       const std::vector<std::uint8_t>& values) {
    const hzfont::CodeTable table = hzfont::BuildCodeTable(frequencies);
    EXPECT_TRUE(table.Tree.Valid());
    const std::vector<std::uint8_t> bits = hzfont::EncodeBits(table, values);
    std::size_t bit = 0;
    auto next_bit = [&]() -> int {
      if (bit >= bits.size() * 8) return -1;
      const int value = bits[bit / 8] >> (7 - bit % 8) & 1;
      ++bit;
      return value;
    };
    std::vector<std::uint8_t> decoded;
    for (std::size_t i = 0; i < values.size(); ++i) {
      const int value = fmt::DecodeValue(table.Tree, next_bit);
      if (value < 0) break;
      decoded.push_back(static_cast<std::uint8_t>(value));
    }
    EXPECT_EQ(decoded, values);
    // The padding never completes a further value beyond the last byte.
    EXPECT_LT(bits.size() * 8 - bit, 8u);
    return table;
  };

  // Every byte value, the most frequent with the shortest code.
  std::array<std::uint64_t, 256> all{};
  std::vector<std::uint8_t> values;
  for (int v = 0; v < 256; ++v) {
    all[static_cast<std::size_t>(v)] = v == 255 ? 100000 : 1 + static_cast<std::uint64_t>(v % 13);
    values.push_back(static_cast<std::uint8_t>(v));
    values.push_back(255);
  }
  const hzfont::CodeTable table = round_trip(all, values);
  EXPECT_EQ(table.Tree.NodeCount, 255);
  EXPECT_EQ(table.Codes[255].size(), 1u);

  // Two values; one value (a one-bit code); Fibonacci weights (a deep tree).
  std::array<std::uint64_t, 256> two{};
  two[0] = 5;
  two[200] = 1;
  EXPECT_EQ(round_trip(two, {0, 200, 0, 0, 200}).Tree.NodeCount, 1);
  std::array<std::uint64_t, 256> one{};
  one[fmt::kEndGlyph] = 3;
  EXPECT_EQ(round_trip(one, {255, 255, 255}).Codes[255], std::vector<bool>{false});
  std::array<std::uint64_t, 256> deep{};
  std::uint64_t a = 1, b = 1;
  std::vector<std::uint8_t> chain;
  for (int v = 0; v < 40; ++v) {
    deep[static_cast<std::size_t>(v)] = a;
    std::tie(a, b) = std::pair{b, a + b};
    chain.push_back(static_cast<std::uint8_t>(v));
  }
  EXPECT_GT(round_trip(deep, chain).Codes[0].size(), 30u);
}

TEST(OutlineFormat, GlyphStreamsUsePolylinesAndWrappedDeltas) {
  // A run of lines becomes one polyline; a single line a point; a step back
  // is written as 256 - d; a last line back to the start is left out.
  Contour contour{{100, 100}, {Segment::Line({110, 100}), Segment::Line({110, 90}),
                               Segment::Line({110, 90}),  // no move: left out
                               Segment::Curve({120, 90}, {120, 100}, {115, 105}),
                               Segment::Line({100, 105}), Segment::Line({100, 100})}};
  EXPECT_EQ(Glyph({contour}), (std::vector<std::uint8_t>{
                                  fmt::kStartContour, fmt::kPoint, 100, 100,
                                  fmt::kPolyline, 10, 0, 0, 246, 0, 0,
                                  fmt::kCubic, 10, 0, 0, 10, 251, 5,
                                  fmt::kPoint, 241, 0,
                                  fmt::kEndContour, fmt::kEndGlyph}));
  EXPECT_EQ(Glyph({}), std::vector<std::uint8_t>{fmt::kEndGlyph});
  EXPECT_THROW(Glyph({Polygon({{0, 0}, {256, 0}, {0, 10}})}), std::invalid_argument);
}

}  // namespace
}  // namespace mox
