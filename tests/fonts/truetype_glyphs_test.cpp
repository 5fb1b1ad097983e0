#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory_resource>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/glyph_rasterizer.h"
#include "previewer/fonts/carry_over.h"
#include "previewer/fonts/face_table.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/render/preview_document.h"
#include "tests/support/document_fixture.h"

namespace mox {
namespace {

using platform::LogFontA;
using platform::RasterGlyph;
using test::AbortMessageOf;

// A glyph of w x h pixels, all ink, rows padded to 4 bytes.
RasterGlyph SolidGlyph(std::uint32_t width, std::uint32_t height, std::int32_t x, std::int32_t y) {
  RasterGlyph glyph{width, height, x, y, {}};
  const std::size_t stride = (width + 31) / 32 * 4;
  glyph.Bits.assign(stride * height, 0);
  for (std::uint32_t row = 0; row < height; ++row) {
    for (std::uint32_t column = 0; column < width; ++column) {
      glyph.Bits[stride * row + column / 8] |= static_cast<std::uint8_t>(0x80 >> (column % 8));
    }
  }
  return glyph;
}

// Records what it is asked; fails faces and characters on request.
class FakeRasterizer final : public platform::GlyphRasterizer {
 public:
  FakeRasterizer() : previous_(platform::SetRasterizer(this)) {}
  ~FakeRasterizer() override { platform::SetRasterizer(previous_); }

  bool SelectFace(const LogFontA& font, int& descent) override {
    Faces.push_back(font);
    if (FailingFaces.count(font.FaceName) != 0) return false;
    selected_ = true;
    descent = Descent;
    return true;
  }
  void ReleaseFace() override { selected_ = false; }
  std::optional<RasterGlyph> DrawGlyph(std::uint16_t code) override {
    EXPECT_TRUE(selected_) << "drawn without a face";
    Codes.push_back(code);
    if (Missing.count(code) != 0) return std::nullopt;
    return Glyph;
  }
  std::optional<RasterGlyph> DrawCharacter(char32_t character) override {
    EXPECT_TRUE(selected_) << "drawn without a face";
    Characters.push_back(character);
    if (Missing.count(static_cast<std::uint16_t>(character)) != 0) return std::nullopt;
    return Glyph;
  }
  bool FaceSelected() const { return selected_; }

  std::vector<LogFontA> Faces;
  std::vector<std::uint16_t> Codes;
  std::vector<char32_t> Characters;
  std::set<std::string> FailingFaces;
  std::set<std::uint16_t> Missing;
  RasterGlyph Glyph = SolidGlyph(1, 1, 0, 0);
  int Descent = 3;

 private:
  bool selected_ = false;
  platform::GlyphRasterizer* previous_;
};

class TrueTypeGlyphsTest : public test::DocumentTest {
 protected:
  void SetUp() override {
    test::DocumentTest::SetUp();
    doc_.Faces = FaceTable{};
      }
  void TearDown() override {
    doc_.Load.TrueTypeListMemory = nullptr;
    DiscardCarryOver(doc_.CarryOver);
    doc_.Faces = FaceTable{};
    test::DocumentTest::TearDown();
  }

  void Serve(int ziti, const char* name, double scale = 1.0, std::uint8_t italic = 0) {
    FaceEntry& entry = doc_.Faces.Entries[static_cast<std::size_t>(ziti)];
    entry.Font = {};
    std::strcpy(entry.Font.FaceName, name);
    entry.Font.Weight = 400;
    entry.Font.CharSet = 134;
    entry.Font.Italic = italic;
    entry.Scale = scale;
  }
  void AddFont(std::int32_t width, std::int32_t height) {
    ChineseFont font;
    font.PixelWidth = width;
    font.PixelHeight = height;
    doc_.Fonts.ChineseFonts.push_back(font);
  }
  // Glyph records go in slot order: by code index, then font.
  void AddGlyph(int slot, int font, std::int32_t code) {
    ChineseGlyph glyph;
    glyph.Font = static_cast<std::uint8_t>(font);
    glyph.CodeIndex = code;
    doc_.Fonts.Slots[static_cast<std::size_t>(slot)].Glyphs.push_back(std::move(glyph));
  }
  const GlyphBitmap& Bitmap(int slot, std::size_t index) {
    return doc_.Fonts.Slots[static_cast<std::size_t>(slot)].Glyphs[index].Bitmap;
  }
  std::optional<std::string> Load() {
    return AbortMessageOf([&] { LoadTrueTypeGlyphs(doc_); });
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const test::RecordedBox& box : ui_.Boxes) texts.push_back(box.Text);
    return texts;
  }

  FakeRasterizer raster_;
};

TEST_F(TrueTypeGlyphsTest, DrawsFontByFontWithTheOddSlotAfterTheEven) {
  AddFont(24, 24);
  AddFont(12, 12);
  Serve(1, "Song");          // ziti A: slots 2 and 3
  AddGlyph(2, 0, 5);
  AddGlyph(2, 1, 5);
  AddGlyph(2, 1, 100);
  AddGlyph(3, 0, 0);
  AddGlyph(3, 1, 7);
  AddGlyph(4, 0, 0);         // ziti B, not served

  ASSERT_EQ(Load(), std::nullopt);
  // Rows 16 (cell 6), 56 (cell 1); then the small font: 16/6, 17/7, 56/8.
  EXPECT_EQ(raster_.Codes, (std::vector<std::uint16_t>{0xB0A6, 0xD8A1, 0xB0A6, 0xB1A7, 0xD8A8}));
  ASSERT_EQ(raster_.Faces.size(), 2u);
  EXPECT_EQ(raster_.Faces[0].Height, 24);
  EXPECT_EQ(raster_.Faces[0].Width, 12);
  EXPECT_EQ(raster_.Faces[0].Quality, 2);
  EXPECT_EQ(raster_.Faces[0].Weight, 400);
  EXPECT_EQ(raster_.Faces[0].CharSet, 134);
  EXPECT_STREQ(raster_.Faces[0].FaceName, "Song");
  EXPECT_EQ(raster_.Faces[1].Height, 12);
  EXPECT_EQ(raster_.Faces[1].Width, 6);
  EXPECT_FALSE(raster_.FaceSelected());

  // Cells of 26 x 26 and 13 x 13 pixels.
  EXPECT_EQ(Bitmap(2, 0).size(), 4u * 26);
  EXPECT_EQ(Bitmap(2, 1).size(), 2u * 13);
  EXPECT_EQ(Bitmap(2, 2).size(), 2u * 13);
  EXPECT_EQ(Bitmap(3, 0).size(), 4u * 26);
  EXPECT_EQ(Bitmap(3, 1).size(), 2u * 13);
  EXPECT_TRUE(Bitmap(4, 0).empty());
  EXPECT_EQ(doc_.Fonts.Slots[2].Source, "Song");
  EXPECT_TRUE(ui_.Boxes.empty());
}

TEST_F(TrueTypeGlyphsTest, ItalicFaceGetsAWiderCellAndTheEmSize) {
  AddFont(24, 20);
  Serve(26, "Kai", 0.5, 1);  // ziti Z: slots 52 and 53
  AddGlyph(53, 0, 3);
  ASSERT_EQ(Load(), std::nullopt);
  ASSERT_EQ(raster_.Faces.size(), 1u);
  EXPECT_EQ(raster_.Faces[0].Height, 10);  // He = 10
  EXPECT_EQ(raster_.Faces[0].Width, 6);    // (We + 1) / 2 with We = 12
  EXPECT_EQ(raster_.Faces[0].Italic, 1);
  EXPECT_EQ(Bitmap(53, 0).size(), 3u * 11);  // 18 x 11
}

TEST_F(TrueTypeGlyphsTest, ZitiAtServesOnlyTheSymbolSlotAndNeverTheIdeographicSpace) {
  AddFont(24, 24);
  AddFont(12, 12);
  Serve(0, "Song");
  AddGlyph(0, 0, 3);         // the user font
  AddGlyph(1, 0, 0);         // row 1 cell 1: the ideographic space
  AddGlyph(1, 1, 0);
  AddGlyph(1, 0, 1);
  AddGlyph(1, 0, 1409);      // row 15 cell 94

  ASSERT_EQ(Load(), std::nullopt);
  EXPECT_EQ(raster_.Codes, (std::vector<std::uint16_t>{0xA1A2, 0xAFFE}));
  // The small font had only the space: its face is never made.
  EXPECT_EQ(raster_.Faces.size(), 1u);
  EXPECT_TRUE(Bitmap(0, 0).empty());
  EXPECT_TRUE(Bitmap(1, 0).empty());
  EXPECT_TRUE(Bitmap(1, 1).empty());
  EXPECT_FALSE(Bitmap(1, 2).empty());
  EXPECT_FALSE(Bitmap(1, 3).empty());
}

TEST_F(TrueTypeGlyphsTest, StatusLineThenProgressEverySixteenthGlyph) {
  AddFont(24, 24);
  Serve(2, "Song");          // ziti B: slots 4 and 5
  for (int code = 0; code < 40; ++code) AddGlyph(4, 0, code);
  Serve(3, "Hei");           // served, but without glyphs: nothing at all
  ASSERT_EQ(Load(), std::nullopt);

  ASSERT_EQ(ui_.Captions.size(), 3u);
  EXPECT_EQ(ui_.Captions[0], "Loading TrueType font `Song' ...");
  const std::string first = "Loading TrueType font `Song' - 15   (code=1616)";
  EXPECT_EQ(ui_.Captions[1], first + std::string(60 - first.size(), ' '));
  const std::string second = "Loading TrueType font `Song' - 31   (code=1632)";
  EXPECT_EQ(ui_.Captions[2], second + std::string(60 - second.size(), ' '));
  EXPECT_EQ(raster_.Faces.size(), 1u);
}

TEST_F(TrueTypeGlyphsTest, ChineseStatusLines) {
  ui_.SetLanguage(Language::Chinese);
  AddFont(24, 24);
  Serve(2, "Song");
  for (int code = 0; code < 16; ++code) AddGlyph(5, 0, code);
  ASSERT_EQ(Load(), std::nullopt);
  ASSERT_EQ(ui_.Captions.size(), 2u);
  EXPECT_EQ(ui_.Captions[0], "装载TrueType字库 `Song' ...");
  const std::string line = "装载TrueType字库 `Song' - 15   (code=5616)";
  EXPECT_EQ(ui_.Captions[1], line + std::string(60 - line.size(), ' '));
}

TEST_F(TrueTypeGlyphsTest, FaceThatCannotBeOpenedAsksWhetherToGoOn) {
  AddFont(24, 24);
  AddFont(12, 12);
  Serve(1, "Broken");
  AddGlyph(2, 0, 0);
  AddGlyph(2, 1, 0);
  Serve(2, "Song");
  AddGlyph(4, 0, 0);
  raster_.FailingFaces = {"Broken"};

  // Yes: the rest of that ziti is given up, the next one is drawn.
  ui_.AnswerNext(platform::kAnswerYes);
  ASSERT_EQ(Load(), std::nullopt);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Warning: Cannot open TrueType font\n\nContinue?"});
  EXPECT_EQ(ui_.Boxes[0].Caption, "Warning");
  EXPECT_TRUE(Bitmap(2, 0).empty());
  EXPECT_TRUE(Bitmap(2, 1).empty());
  EXPECT_FALSE(Bitmap(4, 0).empty());
  EXPECT_EQ(raster_.Codes, std::vector<std::uint16_t>{0xB0A1});  // row 16 cell 1
  EXPECT_EQ(raster_.Faces.size(), 2u);

  // No: the load run ends without a further message.
  doc_.Fonts.Slots[4].Glyphs[0].Bitmap.clear();
  raster_.Codes.clear();
  EXPECT_EQ(Load(), std::string());
  EXPECT_TRUE(raster_.Codes.empty());
  EXPECT_TRUE(Bitmap(4, 0).empty());
}

TEST_F(TrueTypeGlyphsTest, CharacterThatCannotBeLoadedIsBlankOrEndsTheRun) {
  AddFont(20, 20);
  Serve(1, "Song");
  AddGlyph(2, 0, 0);
  AddGlyph(2, 0, 1);
  raster_.Missing = {0xB0A1};

  ui_.AnswerNext(platform::kAnswerYes);
  ASSERT_EQ(Load(), std::nullopt);
  EXPECT_EQ(BoxTexts(),
            std::vector<std::string>{"Warning: Cannot load character (QuWei=1601)\n\nContinue?"});
  EXPECT_EQ(Bitmap(2, 0), GlyphBitmap(3 * 22, 0));  // a blank cell
  EXPECT_FALSE(Bitmap(2, 1).empty());
  EXPECT_EQ(raster_.Codes, (std::vector<std::uint16_t>{0xB0A1, 0xB0A2}));

  for (ChineseGlyph& glyph : doc_.Fonts.Slots[2].Glyphs) glyph.Bitmap.clear();
  raster_.Codes.clear();
  ui_.SetLanguage(Language::Chinese);
  EXPECT_EQ(Load(), std::string());
  EXPECT_EQ(ui_.Boxes.back().Text, "调入字符失败(区位码=1601)!\n\n是否继续?");
  EXPECT_EQ(raster_.Codes, std::vector<std::uint16_t>{0xB0A1});
  EXPECT_FALSE(raster_.FaceSelected());
  EXPECT_TRUE(Bitmap(2, 0).empty());
  EXPECT_TRUE(Bitmap(2, 1).empty());
}

TEST_F(TrueTypeGlyphsTest, NoMemoryForTheListSkipsTheZitiOrEndsTheRun) {
  AddFont(24, 24);
  Serve(1, "Song");
  AddGlyph(2, 0, 0);
  Serve(2, "Hei");
  AddGlyph(4, 0, 0);
  doc_.Load.TrueTypeListMemory = std::pmr::null_memory_resource();

  ui_.AnswerNext(platform::kAnswerYes);
  ui_.AnswerNext(platform::kAnswerYes);
  ASSERT_EQ(Load(), std::nullopt);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>(2, "Warning: No enough memory\n\nContinue?"));
  EXPECT_TRUE(raster_.Faces.empty());
  EXPECT_TRUE(Bitmap(2, 0).empty());

  ui_.Boxes.clear();
  EXPECT_EQ(Load(), std::string());
  EXPECT_EQ(ui_.Boxes.size(), 1u);
}

TEST_F(TrueTypeGlyphsTest, CarriedGlyphsAreTakenBeforeAnythingIsDrawn) {
  AddFont(24, 24);
  Serve(1, "Song");
  AddGlyph(2, 0, 0);
  AddGlyph(3, 0, 9);
  doc_.Fonts.Slots[2].Glyphs[0].Bitmap = GlyphBitmap(4 * 26, 0x55);
  doc_.Fonts.Slots[3].Glyphs[0].Bitmap = GlyphBitmap(4 * 26, 0x66);
  SaveCarryOver(doc_);
  AddGlyph(3, 0, 10);  // new in this document

  ASSERT_EQ(Load(), std::nullopt);
  EXPECT_EQ(Bitmap(2, 0), GlyphBitmap(4 * 26, 0x55));
  EXPECT_EQ(Bitmap(3, 0), GlyphBitmap(4 * 26, 0x66));
  EXPECT_EQ(raster_.Codes, std::vector<std::uint16_t>{0xD8AB});

  // When every glyph was carried, no face is made at all.
  for (int slot : {2, 3}) {
    for (ChineseGlyph& glyph : doc_.Fonts.Slots[slot].Glyphs) glyph.Bitmap = GlyphBitmap(104, 1);
  }
  SaveCarryOver(doc_);
  raster_.Faces.clear();
  ASSERT_EQ(Load(), std::nullopt);
  EXPECT_TRUE(raster_.Faces.empty());
  EXPECT_EQ(Bitmap(3, 1), GlyphBitmap(104, 1));
}

// Pixel (x, y) of a cell of the given width.
bool Ink(const GlyphBitmap& bitmap, int width, int x, int y) {
  const std::size_t row_bytes = static_cast<std::size_t>(width + 7) / 8;
  return (bitmap[row_bytes * static_cast<std::size_t>(y) + static_cast<std::size_t>(x) / 8] &
          (0x80 >> (x % 8))) != 0;
}

TEST_F(TrueTypeGlyphsTest, BlackBoxIsPlacedAgainstTheBaselineInTheCell) {
  AddFont(20, 20);           // cell 22 x 22, em box at (1, 1)
  Serve(1, "Song");
  AddGlyph(2, 0, 0);
  raster_.Descent = 3;
  raster_.Glyph = SolidGlyph(2, 2, 2, 10);
  ASSERT_EQ(Load(), std::nullopt);
  // Left: 2 + 1; top: 22 - 10 - 3 - 1.
  const GlyphBitmap& bitmap = Bitmap(2, 0);
  ASSERT_EQ(bitmap.size(), 3u * 22);
  for (int y = 0; y < 22; ++y) {
    for (int x = 0; x < 22; ++x) {
      EXPECT_EQ(Ink(bitmap, 22, x, y), (x == 3 || x == 4) && (y == 8 || y == 9)) << x << "," << y;
    }
  }
}

TEST_F(TrueTypeGlyphsTest, BlackBoxIsClippedToTheCell) {
  AddFont(20, 20);
  Serve(1, "Song");
  AddGlyph(2, 0, 0);
  AddGlyph(2, 0, 1);
  AddGlyph(2, 0, 2);
  raster_.Glyph = SolidGlyph(70, 40, -5, 30);
  ASSERT_EQ(Load(), std::nullopt);
  // Every pixel of the cell, and not one bit of the padding.
  GlyphBitmap full(3 * 22, 0xFF);
  for (int y = 0; y < 22; ++y) full[3 * static_cast<std::size_t>(y) + 2] = 0xFC;
  EXPECT_EQ(Bitmap(2, 0), full);

  // A box that claims more rows than it brings, and one beside the cell.
  for (ChineseGlyph& glyph : doc_.Fonts.Slots[2].Glyphs) glyph.Bitmap.clear();
  raster_.Glyph = SolidGlyph(8, 2, 0, 18);
  raster_.Glyph.BlackBoxHeight = 1000;
  ASSERT_EQ(Load(), std::nullopt);
  EXPECT_TRUE(Ink(Bitmap(2, 0), 22, 1, 0));
  EXPECT_FALSE(Ink(Bitmap(2, 0), 22, 1, 2));

  for (ChineseGlyph& glyph : doc_.Fonts.Slots[2].Glyphs) glyph.Bitmap.clear();
  raster_.Glyph = SolidGlyph(8, 8, 40, 10);
  ASSERT_EQ(Load(), std::nullopt);
  EXPECT_EQ(Bitmap(2, 0), GlyphBitmap(3 * 22, 0));
}

TEST_F(TrueTypeGlyphsTest, AbsurdCellIsAFaceThatCannotBeOpened) {
  AddFont(100000, 100000);
  Serve(1, "Song");
  AddGlyph(2, 0, 0);
  ui_.AnswerNext(platform::kAnswerYes);
  ASSERT_EQ(Load(), std::nullopt);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Warning: Cannot open TrueType font\n\nContinue?"});
  EXPECT_TRUE(raster_.Faces.empty());
  EXPECT_TRUE(Bitmap(2, 0).empty());
}

}  // namespace
}  // namespace mox
