// Chinese characters of a TrueType/OpenType face as contours of the outline
// font format: the face's em square becomes the 256 by 256 design grid (the
// whole em square is the character cell), y pointing down, quadratic
// segments raised to cubics. Native only: it needs FreeType and iconv.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/mkhzfont/outline_font_writer.h"

namespace mox::hzfont {

// The design grid of compiled fonts. Deltas are one byte taken modulo the
// design size: 256 is the largest size at which every step, forwards or
// backwards, fits in one byte (a byte is then the step in two's complement),
// and its coordinates 0 to 255 scale into any cell without leaving it.
inline constexpr int kDesignSize = 256;

// The three kinds of slot and their GB 2312 rows.
enum class SlotRange { Symbols, Level1, Level2 };
struct SlotCodes {
  int FirstRow;      // GB 2312 row of code index 0
  int GlyphCount;    // code indices in the slot
  int LinearBase;    // linear code (row - 1) * 94 + cell - 1 of code index 0
};
SlotCodes CodesOf(SlotRange range);

// GB 2312 row and cell (1 to 94) of a slot's code index.
struct RowCell {
  int Row;
  int Cell;
};
RowCell RowCellOf(SlotRange range, int code_index);

// The Unicode character of a GB 2312 row and cell, or 0 when the code holds
// none.
char32_t Gb2312ToUnicode(RowCell code);
// The GB 2312 code of a Unicode character, or nothing when it has none.
std::optional<RowCell> UnicodeToGb2312(char32_t character);

class FaceCompiler {
 public:
  // Throws std::runtime_error when the face cannot be opened.
  FaceCompiler(const std::string& path, int face_index);
  ~FaceCompiler();
  FaceCompiler(const FaceCompiler&) = delete;
  FaceCompiler& operator=(const FaceCompiler&) = delete;

  // The contours of a character, or nothing when the face lacks it.
  std::optional<std::vector<Contour>> Compile(char32_t character);

  // Where the em square lies: its top edge above the baseline, in font
  // units, and the units per em. A renderer that puts the same em square on
  // the cell draws the character where the compiled font does.
  double EmTop() const;
  int UnitsPerEm() const;
  // The face itself (an FT_Face), for renderers that compare.
  void* Face() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace mox::hzfont
