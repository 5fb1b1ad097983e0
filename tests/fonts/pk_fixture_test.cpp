// PK files made by Metafont (tests/fixtures/pk): every character of cmr10 at
// 600 and 300 dpi against pktype's listing of the same file, a few of them
// against gftype's pixel images of Metafont's own output, and every font of
// the plain TeX fixture document.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "previewer/dvi/page_scanner.h"
#include "previewer/startup/options.h"
#include "previewer/render/preview_document.h"
#include "tests/fonts/pk_font_fixture.h"
#include "tests/support/pk_writer.h"

namespace mox::test {
namespace {

std::string Fixture(const std::string& name) { return std::string(MOX_FIXTURES_DIR) + "/" + name; }

// One character as pktype lists it.
struct ListedCharacter {
  int Code = -1;
  int DynF = 0;
  std::int64_t TfmWidth = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::int32_t XOffset = 0;
  std::int32_t YOffset = 0;
  std::vector<std::string> RasterLines;  // run counts, or rows of '*' and '.'

  // The pixels: raw rows as listed; packed runs painted row by row, "(n)"
  // white, "n" black, "[n]" copies of the row the next run begins in.
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    if (DynF == 14) {
      for (std::string line : RasterLines) {
        line.erase(line.find_last_not_of(' ') + 1);
        line.erase(0, line.find_first_not_of(' '));
        for (char& c : line) c = c == '*' ? '#' : '.';
        rows.push_back(line);
      }
      return rows;
    }
    std::string row;
    std::int64_t repeat = 0;
    std::string all;
    for (const std::string& line : RasterLines) all += line + " ";
    const std::regex token(R"(\((\d+)\)|\[(\d+)\]|(\d+))");
    for (auto it = std::sregex_iterator(all.begin(), all.end(), token);
         it != std::sregex_iterator(); ++it) {
      const std::smatch& match = *it;
      if (match[2].matched) {
        repeat = std::stoll(match[2]);
        continue;
      }
      const char colour = match[1].matched ? '.' : '#';
      std::int64_t count = std::stoll(match[1].matched ? match[1].str() : match[3].str());
      while (count > 0) {
        const std::int64_t take = std::min<std::int64_t>(count, Width - static_cast<std::int64_t>(row.size()));
        row.append(static_cast<std::size_t>(take), colour);
        count -= take;
        if (static_cast<std::int32_t>(row.size()) == Width) {
          for (std::int64_t i = 0; i <= repeat; ++i) rows.push_back(row);
          row.clear();
          repeat = 0;
        }
      }
    }
    return rows;
  }
};

std::vector<ListedCharacter> ReadListing(const std::string& path) {
  std::istringstream in(ReadFile(path));
  EXPECT_FALSE(in.str().empty()) << path;
  std::vector<ListedCharacter> characters;
  const std::regex flag_line(R"(Flag byte = \d+\s+Character = (\d+))");
  const std::regex dyn_f_line(R"(Dynamic packing variable = (\d+))");
  const std::regex tfm_line(R"(TFM width = (-?\d+))");
  const std::regex size_line(
      R"(Height = (\d+)\s+Width = (\d+)\s+X-offset = (-?\d+)\s+Y-offset = (-?\d+))");
  std::string line;
  bool in_raster = false;
  std::smatch match;
  while (std::getline(in, line)) {
    if (std::regex_search(line, match, flag_line)) {
      characters.push_back({});
      characters.back().Code = std::stoi(match[1]);
      in_raster = false;
    } else if (line.find("Postamble") != std::string::npos) {
      in_raster = false;
    } else if (characters.empty()) {
      continue;
    } else if (std::regex_search(line, match, dyn_f_line)) {
      characters.back().DynF = std::stoi(match[1]);
    } else if (std::regex_search(line, match, tfm_line)) {
      characters.back().TfmWidth = std::stoll(match[1]);
    } else if (std::regex_search(line, match, size_line)) {
      ListedCharacter& c = characters.back();
      c.Height = std::stoi(match[1]);
      c.Width = std::stoi(match[2]);
      c.XOffset = std::stoi(match[3]);
      c.YOffset = std::stoi(match[4]);
      in_raster = true;
    } else if (in_raster) {
      characters.back().RasterLines.push_back(line);
    }
  }
  return characters;
}

// Ink pixels in Metafont's coordinates (column m, row n counted upwards).
using InkSet = std::set<std::pair<int, int>>;

// gftype's images: for each character, the pixels under the line naming the
// lower left corner (m, n) of the top left pixel.
std::vector<std::pair<int, InkSet>> ReadGftypeImages(const std::string& path) {
  std::istringstream in(ReadFile(path));
  std::vector<std::pair<int, InkSet>> images;
  const std::regex begin(R"(beginning of char (\d+))");
  const std::regex corner(R"(lower left corner is at \((-?\d+),(-?\d+)\))");
  std::string line;
  std::smatch match;
  int m0 = 0, n0 = 0, row = -1;
  while (std::getline(in, line)) {
    if (std::regex_search(line, match, begin)) {
      images.push_back({std::stoi(match[1]), {}});
      row = -1;
    } else if (std::regex_search(line, match, corner)) {
      m0 = std::stoi(match[1]);
      n0 = std::stoi(match[2]);
      row = 0;
    } else if (line.find("upper left corner") != std::string::npos) {
      row = -1;
    } else if (row >= 0 && !images.empty()) {
      for (std::size_t x = 0; x < line.size(); ++x) {
        if (line[x] == '*') images.back().second.insert({m0 + static_cast<int>(x), n0 - row});
      }
      ++row;
    }
  }
  return images;
}

InkSet InkOf(const PkGlyph& glyph) {
  InkSet ink;
  const std::vector<std::string> rows = BitmapRows(
      glyph.Bitmap, static_cast<std::uint32_t>(glyph.Width), static_cast<std::uint32_t>(glyph.Height));
  for (std::size_t y = 0; y < rows.size(); ++y) {
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      if (rows[y][x] == '#') {
        ink.insert({static_cast<int>(x) - glyph.XOffset, glyph.YOffset + 1 - static_cast<int>(y)});
      }
    }
  }
  return ink;
}

std::vector<std::uint8_t> AllCodes() {
  std::vector<std::uint8_t> codes;
  for (int code = 0; code < 128; ++code) codes.push_back(static_cast<std::uint8_t>(code));
  return codes;
}

class PkFixtureTest : public PkFontTest {
 protected:
  void SetUp() override {
    PkFontTest::SetUp();
    PreparePkFileNames(doc_, Fixture("pk/dpi$d/"));
  }

  // Loads all 128 characters of cmr10 at a resolution and compares each
  // with pktype's listing.
  void CompareWithListing(int resolution, const std::string& listing, bool expect_raw) {
    doc_.Settings.ResolutionX = resolution;
    const std::size_t font = AddFont("cmr10", AllCodes());
    CountingFiles files;
    ASSERT_EQ(LoadPkFont(doc_, font), 128u);
    EXPECT_EQ(files.Opened.back(), Fixture("pk/dpi" + std::to_string(resolution) + "/cmr10.PK"));

    const std::vector<ListedCharacter> listed = ReadListing(Fixture(listing));
    ASSERT_EQ(listed.size(), 128u);
    bool saw_raw = false;
    for (const ListedCharacter& c : listed) {
      SCOPED_TRACE(testing::Message() << "character " << c.Code);
      const PkGlyph& glyph = Glyph(font, static_cast<std::uint8_t>(c.Code));
      EXPECT_EQ(glyph.Width, c.Width);
      EXPECT_EQ(glyph.Height, c.Height);
      EXPECT_EQ(glyph.XOffset, c.XOffset);
      EXPECT_EQ(glyph.YOffset, c.YOffset);
      // TeX's units: the TFM width times 10 pt.
      EXPECT_LE(std::abs(glyph.Advance - c.TfmWidth * 0.625), 0.5);
      EXPECT_EQ(BitmapRows(glyph.Bitmap, c.Width, c.Height), c.Rows());
      saw_raw = saw_raw || c.DynF == 14;
    }
    EXPECT_EQ(saw_raw, expect_raw);
  }
};

TEST_F(PkFixtureTest, EveryCharacterOfCmr10At600DpiIsAsPktypeListsIt) {
  CompareWithListing(600, "pk/cmr10-600-pktype.txt", false);
  const PkGlyph& a = Glyph(0, 'A');
  EXPECT_EQ(a.Width, 55);
  EXPECT_EQ(a.Height, 60);
  EXPECT_EQ(a.XOffset, -3);
  EXPECT_EQ(a.YOffset, 59);
  EXPECT_EQ(a.Advance, 491521);  // 7.50002 pt
}

TEST_F(PkFixtureTest, EveryCharacterOfCmr10At300DpiIsAsPktypeListsItRawOnesToo) {
  CompareWithListing(300, "pk/cmr10-300-pktype.txt", true);
  const PkGlyph& a = Glyph(0, 'A');
  EXPECT_EQ(a.Width, 28);
  EXPECT_EQ(a.Height, 29);
  EXPECT_EQ(a.XOffset, -1);
  EXPECT_EQ(a.YOffset, 28);
}

TEST_F(PkFixtureTest, CharactersAreThePixelsMetafontMade) {
  const std::size_t font = AddFont("cmr10", {'&', '.', 'A', 'g'});
  ASSERT_EQ(LoadPkFont(doc_, font), 4u);
  const auto images = ReadGftypeImages(Fixture("pk/cmr10-600-gftype.txt"));
  ASSERT_EQ(images.size(), 4u);
  for (const auto& [code, ink] : images) {
    SCOPED_TRACE(code);
    EXPECT_FALSE(ink.empty());
    EXPECT_EQ(InkOf(Glyph(font, static_cast<std::uint8_t>(code))), ink);
  }
}

TEST_F(PkFixtureTest, EveryFontOfThePlainDocumentLoads) {
  ASSERT_EQ(OpenDviFile(doc_, Fixture("dvi/plain.dvi")), 0);
  ASSERT_EQ(PreScan(doc_), 0);
  const FontRegistry& fonts = doc_.Fonts;
  ASSERT_EQ(fonts.PkFonts.size(), 10u);
  CountingFiles files;
  std::size_t glyphs = 0;
  for (std::size_t font = 0; font < fonts.PkFonts.size(); ++font) {
    SCOPED_TRACE(fonts.PkFonts[font].Name);
    EXPECT_EQ(LoadPkFont(doc_, font), fonts.PkGlyphBounds[font + 1] - fonts.PkGlyphBounds[font]);
    glyphs += fonts.PkGlyphBounds[font + 1] - fonts.PkGlyphBounds[font];
  }
  EXPECT_GT(glyphs, 100u);
  for (const PkGlyph& glyph : fonts.PkGlyphs) {
    EXPECT_EQ(glyph.Bitmap.size(),
              static_cast<std::size_t>((glyph.Width + 7) / 8) * static_cast<std::size_t>(glyph.Height));
  }
  // dpi599 does not exist, dpi600 does: two opens a font.
  EXPECT_EQ(files.Opened.size(), 2 * fonts.PkFonts.size());
  EXPECT_EQ(TheFakePkGenerator().Calls, 0);
}

}  // namespace
}  // namespace mox::test
