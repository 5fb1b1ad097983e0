// Where a document's characters stand on the screen: its lines cut into
// rows (one row a line, or rows wrapped at a width), and the pixel
// advance of every character, tabs expanded. Widths come from the window
// through CharacterWidths, so the arithmetic is portable; an edit lays out
// only the lines it changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/text_document.h"

namespace mox::platform {

class CharacterWidths {
 public:
  virtual ~CharacterWidths() = default;
  // The advance of one character in pixels (a code point; the window
  // keeps a cache).
  virtual int Width(char32_t character) = 0;
};

// One row: the units [Start, End) of line `Line` (a line end is in none).
struct TextRow {
  std::size_t Line = 0;
  std::size_t Start = 0;
  std::size_t End = 0;
};

class TextLayout {
 public:
  TextLayout(const TextDocument& document, CharacterWidths& widths);

  // Tab stops every `pixels`; rows wrapped at `width` pixels (0: one row
  // a line). Both lay everything out again.
  void SetTabWidth(int pixels);
  void SetWrapWidth(int width);
  int WrapWidth() const { return wrap_width_; }
  // After the widths changed (a new font) or the document was reset.
  void Rebuild();
  // After an edit of the document.
  void Update(const TextChange& change);

  std::size_t RowCount() const;
  TextRow Row(std::size_t row) const;
  std::size_t FirstRowOf(std::size_t line) const;
  // The row a position is shown in. Where a line wraps, the position
  // between two rows is the start of the second, or the end of the first
  // with `at_row_end`.
  std::size_t RowOf(std::size_t position, bool at_row_end = false) const;

  // The advance of each unit of a row (a surrogate pair's width on its
  // first unit, 0 on the second) and the row's width.
  int Advances(const TextRow& row, std::vector<int>& advances) const;
  // The distance from the row's left end to a position in it.
  int XOf(const TextRow& row, std::size_t position) const;
  // The position nearest to x in a row (never inside a character).
  std::size_t PositionAt(const TextRow& row, int x) const;
  // The widest row, for the horizontal scroll range.
  int MaxWidth() const;

 private:
  struct LineRows {
    int Width = 0;  // the widest row
    // Where the rows after the first begin, from the line's start.
    std::vector<std::uint32_t> Breaks;
  };

  LineRows LayOutLine(std::size_t line) const;
  // The advance of the character at `at` standing `x` pixels from the
  // row's start, and how many units it takes.
  int AdvanceAt(std::size_t at, int x, std::size_t& units) const;
  void Recount();

  const TextDocument& document_;
  CharacterWidths& widths_;
  int tab_width_ = 64;
  int wrap_width_ = 0;
  std::vector<LineRows> lines_;
  // With wrapping: the first row of each line, and the row count last.
  std::vector<std::size_t> first_rows_;
  mutable int max_width_ = 0;
  mutable bool max_width_stale_ = true;
};

}  // namespace mox::platform
