// The Chinese outline font driver: a font file holds each character as
// contours in a design grid; a glyph is scaled to the cell and filled by
// rows between sorted crossings.
//
// File layout (little-endian): two bytes 0xFD, format type 1, 2 or 3, a zero
// byte, first and last character code (2 bytes each), design width and
// height (2 bytes each, signed, above 0); then for types 1 and 3 (count + 1)
// 4-byte offsets, for type 2 a 2-byte record size; type 3 then has its
// decoding tree. See outline_font_format.h for the key tables and the tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace mox {

// Error codes of the driver.
enum OutlineError : int {
  kOutlineOk = 0,
  kOutlineReadError = 1,
  kOutlineBadHeader = 4,
  kOutlineNotOpen = 8,
  kOutlineBadIndex = 16,
  kOutlineEmptyCell = 32,
  kOutlineTableFull = 64,
  kOutlineCellTooLarge = 128,  // a side above kMaxGlyphSide
  kOutlineBadData = 512,
  kOutlineOddCrossings = -1,
};

// One outline font file, open or not (a load run holds one at a time).
class OutlineFontFile {
 public:
  OutlineFontFile();
  ~OutlineFontFile();
  OutlineFontFile(OutlineFontFile&&) noexcept;
  OutlineFontFile& operator=(OutlineFontFile&&) noexcept;

  // Opens a font file (closing the one open before): 0, 1 (cannot open or
  // read) or 4 (bad header).
  int Open(const std::string& path);
  void Close();
  bool IsOpen() const;
  // Number of glyphs of the open font (0 when none is open).
  int GlyphCount() const;
  // The header's first character code (0 when none is open): in a font of
  // the characters beyond GB 2312 the Unicode value of glyph 0.
  int FirstCode() const;

  // Renders glyph k (the code index within its slot) into a cell of width
  // by height pixels (each at most kMaxGlyphSide): destination receives
  // ((width + 7) / 8) x height bytes, cleared first. The crossing table
  // lives in crossing_buffer (crossing_bytes long). Returns 0 or an error
  // code.
  int Render(std::uint8_t* destination, int k, int width, int height,
             std::uint8_t* crossing_buffer, std::size_t crossing_bytes);

  // The open file with its header, offsets and tree (the driver's own).
  struct State;

 private:
  std::unique_ptr<State> state_;
};

}  // namespace mox
