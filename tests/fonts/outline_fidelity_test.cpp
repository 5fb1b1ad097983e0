// Characters compiled from a real face (AR PL UMing) and drawn by the driver
// against FreeType's own rendering of the same outlines in the same cell:
// intersection over union of the ink, per character, at 24 and 48 pixels.
//
// The driver inks every pixel that a glyph's outline passes through (edges
// are painted, fills include both crossings), so its fair counterpart is
// FreeType's coverage rendering with every touched pixel inked; that is the
// reference the bounds apply to: a mean of 0.9 at each size and 0.8 for every
// character. The driver's edge walk paints as many columns a row as the edge
// steps, one fewer than an edge touches, so characters with many slanted
// strokes stay below 0.9 at 24 pixels. FreeType's 1-bit rendering (pixels
// whose centres are inside) is measured and reported too: it is about one
// pixel thinner per stroke, which at 24 pixels is much of a Ming stroke.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "previewer/fonts/outline_font.h"
#include "tests/fonts/outline_test_support.h"
#include "tests/support/temp_dir.h"
#include "tools/mkhzfont/outline_compiler.h"

namespace mox {
namespace {

using hzfont::FaceCompiler;
using hzfont::SlotRange;

const char kUming[] = "/usr/share/fonts/truetype/arphic/uming.ttc";

enum class Reference { Touched, Centres };

// FreeType's rendering of a character on a size by size cell whose top is
// the em square's top.
std::vector<bool> FreeTypeCell(FaceCompiler& compiler, char32_t character, int size, Reference kind) {
  auto* face = static_cast<FT_Face>(compiler.Face());
  std::vector<bool> ink(static_cast<std::size_t>(size * size));
  if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(size), static_cast<FT_UInt>(size)) != 0 ||
      FT_Load_Char(face, character, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) {
    ADD_FAILURE() << "FreeType cannot load U+" << std::hex << static_cast<unsigned>(character);
    return ink;
  }
  FT_Outline* outline = &face->glyph->outline;
  // The bitmap's bottom edge is the outline's y = 0: lift the em square's
  // bottom there.
  const double top = compiler.EmTop() * size / compiler.UnitsPerEm();
  FT_Outline_Translate(outline, 0, static_cast<FT_Pos>(std::lround((size - top) * 64)));
  const bool mono = kind == Reference::Centres;
  const int pitch = mono ? (size + 7) / 8 : size;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(pitch * size));
  FT_Bitmap bitmap{};
  bitmap.rows = static_cast<unsigned>(size);
  bitmap.width = static_cast<unsigned>(size);
  bitmap.pitch = pitch;
  bitmap.buffer = pixels.data();
  bitmap.pixel_mode = mono ? FT_PIXEL_MODE_MONO : FT_PIXEL_MODE_GRAY;
  bitmap.num_grays = mono ? 2 : 256;
  FT_Library library = face->glyph->library;
  EXPECT_EQ(FT_Outline_Get_Bitmap(library, outline, &bitmap), 0);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const std::size_t at = static_cast<std::size_t>(y * pitch);
      ink[static_cast<std::size_t>(y * size + x)] =
          mono ? (pixels[at + static_cast<std::size_t>(x / 8)] >> (7 - x % 8) & 1) != 0
               : pixels[at + static_cast<std::size_t>(x)] > 0;
    }
  }
  return ink;
}

double IntersectionOverUnion(const test::Bitmap& driver, const std::vector<bool>& reference) {
  int both = 0, either = 0;
  for (int y = 0; y < driver.Height; ++y) {
    for (int x = 0; x < driver.Width; ++x) {
      const bool a = driver.At(x, y);
      const bool b = reference[static_cast<std::size_t>(y * driver.Width + x)];
      both += a && b ? 1 : 0;
      either += a || b ? 1 : 0;
    }
  }
  return either == 0 ? 1.0 : static_cast<double>(both) / either;
}

TEST(OutlineFidelity, CompiledCharactersMatchFreeTypesRendering) {
  if (!platform::SystemFiles().Exists(kUming)) GTEST_SKIP() << kUming << " is not installed";
  FaceCompiler compiler(kUming, 0);

  // 60 first-level characters spread over the whole range, and the second-
  // level characters of the DVI fixtures.
  std::vector<char32_t> characters;
  hzfont::FontImage image;
  for (int k = 0; k < 3755; k += 63) {
    characters.push_back(hzfont::Gb2312ToUnicode(hzfont::RowCellOf(SlotRange::Level1, k)));
  }
  for (int k : {0, 96, 107, 3007}) {
    characters.push_back(hzfont::Gb2312ToUnicode(hzfont::RowCellOf(SlotRange::Level2, k)));
  }
  for (char32_t c : characters) {
    const auto contours = compiler.Compile(c);
    ASSERT_TRUE(contours.has_value()) << static_cast<unsigned>(c);
    image.Glyphs.push_back(hzfont::EncodeGlyph(*contours, hzfont::kDesignSize, hzfont::kDesignSize));
  }
  ASSERT_GE(characters.size(), 50u);
  test::TempDir dir;
  OutlineFontFile font;
  const std::vector<std::uint8_t> bytes = hzfont::WriteFont(image);
  test::WriteFile(dir.File("sample.hz"), std::string(bytes.begin(), bytes.end()));
  ASSERT_EQ(font.Open(dir.File("sample.hz")), kOutlineOk);

  for (int size : {24, 48}) {
    double touched_sum = 0, touched_min = 1, centres_sum = 0, centres_min = 1;
    for (std::size_t k = 0; k < characters.size(); ++k) {
      const test::Bitmap driver = test::RenderGlyph(font, static_cast<int>(k), size, size);
      ASSERT_EQ(driver.Result, kOutlineOk);
      const double touched =
          IntersectionOverUnion(driver, FreeTypeCell(compiler, characters[k], size, Reference::Touched));
      const double centres =
          IntersectionOverUnion(driver, FreeTypeCell(compiler, characters[k], size, Reference::Centres));
      EXPECT_GE(touched, 0.8) << "U+" << std::hex << static_cast<unsigned>(characters[k]) << " at "
                              << std::dec << size << "\n" << driver.Picture();
      touched_sum += touched;
      touched_min = std::min(touched_min, touched);
      centres_sum += centres;
      centres_min = std::min(centres_min, centres);
    }
    const double n = static_cast<double>(characters.size());
    std::printf("%zu characters at %d pixels: IoU with FreeType's touched pixels mean %.3f min %.3f; "
                "with its 1-bit rendering mean %.3f min %.3f\n",
                characters.size(), size, touched_sum / n, touched_min, centres_sum / n, centres_min);
    EXPECT_GE(touched_sum / n, 0.9) << size;
    // The 1-bit rendering is thinner by design (see above), not by more.
    EXPECT_GE(centres_sum / n, 0.45) << size;
  }
  font.Close();
}

}  // namespace
}  // namespace mox
