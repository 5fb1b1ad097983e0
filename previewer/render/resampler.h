// Scaling a 1-bit image to the zoom. Target row r covers the source rows from
// floor(r * sh / th) up to floor((r + 1) * sh / th), and columns likewise.
// In black and white (1 bit a pixel) covered source pixels are united, so
// thin strokes never vanish (and, enlarging, every source pixel covers all
// the target pixels it maps to); in grey (4 bits) each target pixel gets the
// share of black among the source pixels it covers, rounded up.
#pragma once

#include <cstdint>
#include <functional>

namespace mox {

struct ResampleSource {
  int Width = 0;          // sw
  int Height = 0;         // sh: rows of the (possibly virtual) source column
  int First = 0;          // the rows that exist; the others count as blank
  int Last = -1;
  // The row bytes of source row i (First <= i <= Last).
  std::function<const std::uint8_t*(int)> Row;
};

struct ResampleTarget {
  int Width = 0;          // tw
  int Height = 0;         // th: rows the whole source column maps to
  int BitsPerPixel = 1;   // 1 or 4
  std::uint8_t* Bits = nullptr;
  int RowBytes = 0;
  int FirstRow = 0;       // target rows FirstRow .. FirstRow + Rows - 1 are made,
  int Rows = 0;           // into Bits from its first row on
  int FirstColumn = 0;    // target columns FirstColumn .. + Columns - 1 are made,
  int Columns = 0;        // from bit 0 of each row on
};

// ORs the resampled pixels into the target.
void Resample(const ResampleSource& source, const ResampleTarget& target);

}  // namespace mox
