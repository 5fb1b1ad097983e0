// The installed palette pictures against the program's own hit test: each
// a 65 by 311 picture of 8-bit grey, ink under every position that shows a
// text, none where a click would insert nothing or something else.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

#include "frontend/core/palette_tables.h"
#include "tests/support/temp_dir.h"

namespace mox::varelo {
namespace {

constexpr int kWidth = 65;
constexpr int kHeight = 311;
constexpr int kInk = 0xD8;  // darker than the light lines between the cells

std::uint32_t Little(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

TEST(PaletteBitmapsTest, InkLiesUnderTheTextsTheHitTestGives) {
  for (const Palette& palette : Palettes()) {
    SCOPED_TRACE(std::string(palette.Bitmap));
    const std::string bmp = test::ReadFile(std::string(VARELO_DATA_DIR) + "/bitmap2B/" +
                                           std::string(palette.Bitmap));
    ASSERT_GT(bmp.size(), 54u);
    ASSERT_EQ(bmp.substr(0, 2), "BM");
    ASSERT_EQ(Little(bmp, 18, 4), static_cast<std::uint32_t>(kWidth));
    ASSERT_EQ(Little(bmp, 22, 4), static_cast<std::uint32_t>(kHeight));  // rows bottom-up
    ASSERT_EQ(Little(bmp, 28, 2), 8u);
    const std::size_t pixels = Little(bmp, 10, 4);
    const std::size_t stride = (kWidth + 3) / 4 * 4;
    ASSERT_EQ(bmp.size(), pixels + stride * kHeight);

    std::map<std::string_view, int> ink_of_text;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const auto index = static_cast<unsigned char>(bmp[pixels + (kHeight - 1 - y) * stride + x]);
        const unsigned char grey = static_cast<unsigned char>(bmp[54 + 4 * index]);
        const PaletteCell cell = HitTest(palette, x, y);
        if (grey >= kInk) continue;
        ASSERT_EQ(cell.Action, CellAction::Set) << "ink at " << x << "," << y;
        ++ink_of_text[cell.Text];
      }
    }
    const PaletteGrid& grid = palette.Grid;
    for (int row = 1; row <= grid.Rows; ++row) {
      for (int column = grid.FirstColumn; column < grid.FirstColumn + grid.Columns; ++column) {
        const PaletteCell cell = CellAt(palette, row, column);
        if (cell.Action == CellAction::Set) {
          EXPECT_GT(ink_of_text[cell.Text], 4) << cell.Text;
        }
      }
    }
  }
}

}  // namespace
}  // namespace mox::varelo
