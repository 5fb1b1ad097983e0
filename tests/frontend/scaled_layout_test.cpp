// Varelo's layouts made in code at 100%, 150% and 200%: the command runner
// keeps every control inside its client and apart from the others shown
// with it, the palette panel's controls stay inside the panel, and the
// palette under the pointer is the one the scaled picture shows there.
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

bool Overlap(const ScaledBox& a, const ScaledBox& b) {
  return a.X < b.X + b.Width && b.X < a.X + a.Width && a.Y < b.Y + b.Height &&
         b.Y < a.Y + a.Height;
}

bool Inside(const ScaledBox& box, int width, int height) {
  return box.X >= 0 && box.Y >= 0 && box.X + box.Width <= width && box.Y + box.Height <= height;
}

constexpr int kDpis[] = {96, 144, 192};

TEST(ScaledLayoutTest, TheCommandRunnersControlsFitAndStayApart) {
  namespace place = layout::runner;
  for (const int dpi : kDpis) {
    // The controls shown together with the guide, and with the folders.
    for (const bool browsing : {false, true}) {
      std::vector<ScaledBox> shown;
      for (const auto* box : {&place::kBanner, &place::kTexDirLabel, &place::kTexDirBox,
                              &place::kTexDirButton, &place::kSourceLabel, &place::kSourceBox,
                              &place::kSourceButton, &place::kCommandLabel, &place::kCommandBox}) {
        shown.push_back(ScaleToDpi(*box, dpi));
      }
      if (browsing) {
        shown.push_back(ScaleToDpi(place::kDriveBox, dpi));
        shown.push_back(ScaleToDpi(place::kFolderList, dpi));
      } else {
        shown.push_back(ScaleToDpi(place::kGuide, dpi));
      }
      for (const int left : place::kButtonLeft) {
        const int button[4] = {left, place::kButtonTop, place::kButtonWidth,
                               place::kButtonHeight};
        shown.push_back(ScaleToDpi(button, dpi));
      }
      const int width = ScaleToDpi(place::kClientWidth, dpi);
      const int height = ScaleToDpi(place::kClientHeight, dpi);
      for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_TRUE(Inside(shown[i], width, height)) << dpi << " control " << i;
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
          EXPECT_FALSE(Overlap(shown[i], shown[j])) << dpi << " controls " << i << ", " << j;
        }
      }
    }
    const int panel = ScaleToDpi(layout::kPalettePanelWidth, dpi);
    for (const auto* box : {&layout::kSymbolBox, &layout::kHideButton, &layout::kPaletteImage}) {
      EXPECT_TRUE(Inside(ScaleToDpi(*box, dpi), panel, 1 << 20)) << dpi;
    }
    EXPECT_FALSE(Overlap(ScaleToDpi(layout::kSymbolBox, dpi), ScaleToDpi(layout::kHideButton, dpi)));
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
