// The geometry of a grid of text cells, apart from any window: the height of
// every row, the width of every column, the order the columns are shown in
// (dragging a column changes only that order, so its cells keep their
// logical column), the first row shown, where a point falls and where the
// Tab key goes. Rows are scrolled by whole rows, columns by pixels.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace mox::platform {

struct GridCell {
  std::size_t Row = 0;
  std::size_t Column = 0;  // logical
  bool operator==(const GridCell&) const = default;
};

class GridLayout {
 public:
  static constexpr int kMinimumRowHeight = 4;
  static constexpr int kMinimumColumnWidth = 0;

  GridLayout(std::size_t rows, std::size_t columns, int row_height, int column_width);

  std::size_t Rows() const { return row_heights_.size(); }
  std::size_t Columns() const { return widths_.size(); }

  int RowHeight(std::size_t row) const { return row_heights_[row]; }
  // Never below kMinimumRowHeight, so that a row can be grabbed again.
  void SetRowHeight(std::size_t row, int height);
  int ColumnWidth(std::size_t column) const { return widths_[column]; }
  void SetColumnWidth(std::size_t column, int width);

  // Logical columns in the order they are shown, left to right.
  const std::vector<std::size_t>& Order() const { return order_; }
  // Anything but an arrangement of all the columns is refused.
  bool SetOrder(const std::vector<std::size_t>& order);
  // Left edge of a logical column, counted from the left of the first shown.
  int ColumnLeft(std::size_t column) const;
  int TotalWidth() const;
  // The logical column at x (counted like ColumnLeft), none right of the last.
  std::optional<std::size_t> ColumnAt(int x) const;

  std::size_t TopRow() const { return top_; }
  // The row becomes the first shown, as far as the rows below it fill a
  // view of that height: the last row never leaves space under it.
  void SetTopRow(std::size_t row, int view_height);
  std::size_t MaxTopRow(int view_height) const;
  // Rows wholly inside a view of that height from the top row (at least 1).
  std::size_t FullyVisibleRows(int view_height) const;
  // Scrolls as little as possible so that the row is wholly shown.
  void MakeVisible(std::size_t row, int view_height);

  // Top of a row shown at or below the top row, from the top of the view.
  std::optional<int> RowTop(std::size_t row, int view_height) const;
  // The row shown at y (from the top of the view), none below the last.
  std::optional<std::size_t> RowAt(int y) const;
  // The row whose lower edge is within `slack` pixels of y: where dragging
  // resizes a row.
  std::optional<std::size_t> RowEdgeAt(int y, int slack, int view_height) const;

  // Tab: the next cell in the order shown, on to the next row after the last
  // column; backward, the other way. None past either end.
  std::optional<GridCell> NextCell(GridCell from, bool backward) const;

 private:
  std::size_t DisplayIndex(std::size_t column) const;

  std::vector<int> row_heights_;
  std::vector<int> widths_;
  std::vector<std::size_t> order_;
  std::size_t top_ = 0;
};

}  // namespace mox::platform
