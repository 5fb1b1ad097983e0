// Varelo's layouts made in code at 100%, 150% and 200%: the controls stay
// inside the command runner and the palette panel, and the palette's cell
// under the pointer is the one the scaled picture shows there.
#include <gtest/gtest.h>

#include <vector>

#include "frontend/core/palette_tables.h"
#include "frontend/forms/command_runner_layout.h"
#include "frontend/forms/frame_layout.h"
#include "platform/dpi_scale.h"

namespace mox::varelo {
namespace {

using platform::ScaledBox;
using platform::ScaleToDpi;

bool Inside(const ScaledBox& box, int width, int height) {
  return box.X >= 0 && box.Y >= 0 && box.X + box.Width <= width && box.Y + box.Height <= height;
}

constexpr int kDpis[] = {96, 144, 192};

// Rounding never pushes a control past the edge of its dialog or panel.
TEST(ScaledLayoutTest, ControlsStayInsideTheirWindows) {
  namespace place = layout::runner;
  for (const int dpi : kDpis) {
    const int width = ScaleToDpi(place::kClientWidth, dpi);
    const int height = ScaleToDpi(place::kClientHeight, dpi);
    for (const auto* box : {&place::kBanner, &place::kTexDirButton, &place::kSourceButton,
                            &place::kGuide, &place::kFolderList}) {
      EXPECT_TRUE(Inside(ScaleToDpi(*box, dpi), width, height)) << dpi;
    }
    const int last[4] = {place::kButtonLeft[3], place::kButtonTop, place::kButtonWidth,
                         place::kButtonHeight};
    EXPECT_TRUE(Inside(ScaleToDpi(last, dpi), width, height)) << dpi;
    const int panel = ScaleToDpi(layout::kPalettePanelWidth, dpi);
    for (const auto* box : {&layout::kHideButton, &layout::kPaletteImage}) {
      EXPECT_TRUE(Inside(ScaleToDpi(*box, dpi), panel, 1 << 20)) << dpi;
    }
  }
}

TEST(ScaledLayoutTest, ThePointerOverACellOfTheScaledPalettePicksThatCell) {
  for (const Palette& palette : Palettes()) {
    const PaletteGrid& grid = palette.Grid;
    for (int row = 1; row <= grid.Rows; ++row) {
      for (int column = grid.FirstColumn; column < grid.FirstColumn + grid.Columns; ++column) {
        // The cell's middle in the picture's pixels, as the hit test counts.
        const int x = (column - grid.FirstColumn) * grid.CellWidth + grid.CellWidth / 2;
        const int y = grid.RowOffset + (row - 1) * grid.CellHeight + grid.CellHeight / 2;
        const PaletteCell cell = HitTest(palette, x, y);
        for (const int dpi : kDpis) {
          // Where that middle is drawn on the screen, mapped back.
          const int screen_x = ScaleToDpi(x, dpi);
          const int screen_y = ScaleToDpi(y, dpi);
          const PaletteCell picked = HitTest(palette, platform::PicturePixelAt(screen_x, dpi),
                                             platform::PicturePixelAt(screen_y, dpi));
          EXPECT_TRUE(picked.Action == cell.Action && picked.Text == cell.Text)
              << row << "," << column << " at " << dpi;
        }
      }
    }
  }
}

}  // namespace
}  // namespace mox::varelo
