// The ten symbol palettes: each palette's name and bitmap file, the grid its
// picture is drawn to, and the TeX text of every cell. A pointer position on
// the picture becomes the text the palette panel's read-only box shows, which
// a click then inserts.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace mox::varelo {

// What a cell does to the box: set its text, leave it as it is, or empty it.
enum class CellAction { Set, Unchanged, Cleared };

struct PaletteCell {
  CellAction Action = CellAction::Unchanged;
  std::string_view Text;  // for Set
};

// A palette's grid in the bitmap's own pixels. Row r (from 1) covers
// y in [RowOffset + (r-1)*CellHeight, RowOffset + r*CellHeight); column c
// covers x in [(c-FirstColumn)*CellWidth, ...). Because the hit test divides
// toward zero, the first row of a palette with an offset also takes the
// RowOffset pixels above it (and CellHeight-1 more above that).
struct PaletteGrid {
  int CellWidth;
  int CellHeight;
  int RowOffset;
  int FirstColumn;       // the number of the leftmost column: 1, or 0
  int Rows;
  int Columns;
  bool ClearOutsideRows;  // a row outside 1..Rows empties the box
  bool ClearOutsideColumns;  // a column outside the table empties the box
};

struct Palette {
  std::string_view Name;    // the palette button's caption (GBK)
  std::string_view Bitmap;  // file in the bitmap folder
  PaletteGrid Grid;
  // Rows * Columns cells, row by row; nullptr leaves the box unchanged.
  const char* const* Cells;
  // The one cell (row, column) that empties the box, or 0, 0.
  int ClearedRow;
  int ClearedColumn;
};

// The ten palettes in the order of the palette bar.
std::span<const Palette> Palettes();

// The palette of that caption, or nullptr.
const Palette* FindPalette(std::string_view caption);

// The folder of the palette bitmaps below the program folder.
inline constexpr std::string_view kPaletteFolder = "\\bitmap2B\\";

// The hint of the palette picture.
inline constexpr std::string_view kPaletteHint = "请单击鼠标键选择 ";

// The cell of a palette at a row and column as the hit test numbers them.
PaletteCell CellAt(const Palette& palette, int row, int column);

// What the pointer at x, y (pixels from the picture's top-left corner) does
// to the box.
PaletteCell HitTest(const Palette& palette, int x, int y);

// The box's text after the pointer moved to x, y over the palette named by
// the chosen button's caption; a caption that names no palette (none chosen
// yet) leaves it alone.
void PaletteHitTest(std::string_view caption, int x, int y, std::string& box);

}  // namespace mox::varelo
