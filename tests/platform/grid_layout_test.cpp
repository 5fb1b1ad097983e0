// The grid's geometry: columns found where they are shown after a drag,
// rows of different heights hit and scrolled, the last row never leaving
// space below it, and Tab walking the cells in the order shown.
#include "platform/grid_layout.h"

#include <gtest/gtest.h>

namespace mox::platform {
namespace {

TEST(GridLayoutTest, DraggedColumnsAreFoundWhereTheyAreShown) {
  GridLayout grid(10, 3, 20, 50);
  grid.SetColumnWidth(0, 30);
  EXPECT_FALSE(grid.SetOrder({2, 0}));     // not every column
  EXPECT_FALSE(grid.SetOrder({2, 0, 0}));  // one twice
  ASSERT_TRUE(grid.SetOrder({2, 0, 1}));
  EXPECT_EQ(grid.ColumnLeft(2), 0);
  EXPECT_EQ(grid.ColumnLeft(0), 50);
  EXPECT_EQ(grid.ColumnLeft(1), 80);
  EXPECT_EQ(grid.ColumnAt(49), 2u);
  EXPECT_EQ(grid.ColumnAt(50), 0u);
  EXPECT_EQ(grid.ColumnAt(129), 1u);
  EXPECT_FALSE(grid.ColumnAt(130));
  EXPECT_FALSE(grid.ColumnAt(-1));
  EXPECT_EQ(grid.TotalWidth(), 130);

  // Tab follows the order shown and wraps to the next row.
  EXPECT_EQ(grid.NextCell({0, 2}, false), (GridCell{0, 0}));
  EXPECT_EQ(grid.NextCell({0, 1}, false), (GridCell{1, 2}));
  EXPECT_EQ(grid.NextCell({1, 2}, true), (GridCell{0, 1}));
  EXPECT_FALSE(grid.NextCell({9, 1}, false));
  EXPECT_FALSE(grid.NextCell({0, 2}, true));
}

TEST(GridLayoutTest, RowsOfDifferentHeightsAreHitAndScrolled) {
  GridLayout grid(6, 2, 20, 40);
  grid.SetRowHeight(1, 40);
  grid.SetRowHeight(2, 1);  // never too thin to grab again
  EXPECT_EQ(grid.RowHeight(2), GridLayout::kMinimumRowHeight);
  EXPECT_EQ(grid.RowAt(19), 0u);
  EXPECT_EQ(grid.RowAt(59), 1u);
  EXPECT_EQ(grid.RowAt(60), 2u);
  EXPECT_EQ(grid.RowEdgeAt(61, 2, 200), 1u);  // below 1 is nearer than below 2
  EXPECT_EQ(grid.RowEdgeAt(30, 2, 200), std::nullopt);
  EXPECT_FALSE(grid.RowAt(20 + 40 + 4 + 3 * 20));

  // A view of 50 pixels: rows 3, 4 and 5 (60 pixels) do not fit, 4 and 5 do.
  EXPECT_EQ(grid.MaxTopRow(50), 4u);
  grid.SetTopRow(5, 50);
  EXPECT_EQ(grid.TopRow(), 4u);
  EXPECT_EQ(grid.RowTop(5, 50), 20);
  EXPECT_FALSE(grid.RowTop(3, 50));
  EXPECT_EQ(grid.RowAt(0), 4u);
  grid.MakeVisible(1, 50);
  EXPECT_EQ(grid.TopRow(), 1u);
  EXPECT_EQ(grid.FullyVisibleRows(50), 2u);  // 40 + 4 pixels
  grid.MakeVisible(3, 50);  // as little as possible: row 3 at the bottom
  EXPECT_EQ(grid.TopRow(), 2u);
  EXPECT_EQ(grid.FullyVisibleRows(50), 3u);
}

}  // namespace
}  // namespace mox::platform
