#include "platform/grid_layout.h"

#include <algorithm>

namespace mox::platform {

GridLayout::GridLayout(std::size_t rows, std::size_t columns, int row_height, int column_width)
    : row_heights_(rows, std::max(row_height, kMinimumRowHeight)),
      widths_(columns, std::max(column_width, kMinimumColumnWidth)),
      order_(columns) {
  for (std::size_t i = 0; i < columns; ++i) order_[i] = i;
}

void GridLayout::SetRowHeight(std::size_t row, int height) {
  if (row < Rows()) row_heights_[row] = std::max(height, kMinimumRowHeight);
}

void GridLayout::SetColumnWidth(std::size_t column, int width) {
  if (column < Columns()) widths_[column] = std::max(width, kMinimumColumnWidth);
}

bool GridLayout::SetOrder(const std::vector<std::size_t>& order) {
  std::vector<std::size_t> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    if (sorted[i] != i) return false;
  }
  if (sorted.size() != Columns()) return false;
  order_ = order;
  return true;
}

std::size_t GridLayout::DisplayIndex(std::size_t column) const {
  return static_cast<std::size_t>(std::find(order_.begin(), order_.end(), column) -
                                  order_.begin());
}

int GridLayout::ColumnLeft(std::size_t column) const {
  int left = 0;
  for (std::size_t shown : order_) {
    if (shown == column) break;
    left += widths_[shown];
  }
  return left;
}

int GridLayout::TotalWidth() const {
  int total = 0;
  for (int width : widths_) total += width;
  return total;
}

std::optional<std::size_t> GridLayout::ColumnAt(int x) const {
  if (x < 0) return std::nullopt;
  int left = 0;
  for (std::size_t shown : order_) {
    if (x < left + widths_[shown]) return shown;
    left += widths_[shown];
  }
  return std::nullopt;
}

std::size_t GridLayout::MaxTopRow(int view_height) const {
  if (Rows() == 0) return 0;
  std::size_t top = Rows() - 1;
  int used = row_heights_[top];
  while (top > 0 && used + row_heights_[top - 1] <= view_height) {
    --top;
    used += row_heights_[top];
  }
  return top;
}

void GridLayout::SetTopRow(std::size_t row, int view_height) {
  top_ = std::min(row, MaxTopRow(view_height));
}

std::size_t GridLayout::FullyVisibleRows(int view_height) const {
  std::size_t count = 0;
  int used = 0;
  for (std::size_t row = top_; row < Rows(); ++row) {
    used += row_heights_[row];
    if (used > view_height) break;
    ++count;
  }
  return std::max<std::size_t>(count, 1);
}

void GridLayout::MakeVisible(std::size_t row, int view_height) {
  if (row >= Rows()) return;
  if (row < top_) {
    top_ = row;
    return;
  }
  // Lowest top row that still shows the whole row at the bottom.
  std::size_t top = row;
  int used = row_heights_[row];
  while (top > top_ && used + row_heights_[top - 1] <= view_height) {
    --top;
    used += row_heights_[top];
  }
  top_ = top;
}

std::optional<int> GridLayout::RowTop(std::size_t row, int view_height) const {
  if (row < top_ || row >= Rows()) return std::nullopt;
  int y = 0;
  for (std::size_t r = top_; r < row; ++r) {
    y += row_heights_[r];
    if (y >= view_height) return std::nullopt;
  }
  return y;
}

std::optional<std::size_t> GridLayout::RowAt(int y) const {
  if (y < 0) return std::nullopt;
  int top = 0;
  for (std::size_t row = top_; row < Rows(); ++row) {
    if (y < top + row_heights_[row]) return row;
    top += row_heights_[row];
  }
  return std::nullopt;
}

std::optional<std::size_t> GridLayout::RowEdgeAt(int y, int slack, int view_height) const {
  int bottom = 0;
  for (std::size_t row = top_; row < Rows() && bottom <= view_height; ++row) {
    bottom += row_heights_[row];
    if (y >= bottom - slack && y <= bottom + slack) return row;
    if (bottom > y + slack) break;
  }
  return std::nullopt;
}

std::optional<GridCell> GridLayout::NextCell(GridCell from, bool backward) const {
  if (Columns() == 0 || from.Row >= Rows() || from.Column >= Columns()) return std::nullopt;
  const std::size_t shown = DisplayIndex(from.Column);
  if (!backward) {
    if (shown + 1 < Columns()) return GridCell{from.Row, order_[shown + 1]};
    if (from.Row + 1 < Rows()) return GridCell{from.Row + 1, order_.front()};
    return std::nullopt;
  }
  if (shown > 0) return GridCell{from.Row, order_[shown - 1]};
  if (from.Row > 0) return GridCell{from.Row - 1, order_.back()};
  return std::nullopt;
}

}  // namespace mox::platform
