// GB 2312 codes as the previewer counts them: a linear code is
// row * 94 + cell with rows and cells from 0 (the bytes 0xA1 0xA1 are code
// 0). Rows 16 to 55 are the first level of characters, rows 56 to 87 the
// second; the rows before 16 hold symbols.
#pragma once

#include <cstdint>

namespace mox {

inline constexpr std::int32_t kCellsPerRow = 94;
// The first code of row 16 (first level) and of row 56 (second level), and
// the code after the last of row 87.
inline constexpr std::int32_t kFirstLevel1Code = 1410;
inline constexpr std::int32_t kFirstLevel2Code = 5170;
inline constexpr std::int32_t kEndOfCodes = 8178;
// Documents made by Mer2Dvi count their codes 470 higher.
inline constexpr std::int32_t kMer2DviCodeShift = 470;

// The linear code of a code index within a Chinese font slot: slot 1 holds
// the symbols, even slots the first level, odd slots the second.
inline constexpr std::int32_t LinearCodeOf(int slot, std::int32_t code_index) {
  if (slot == 1) return code_index;
  return code_index + (slot % 2 == 0 ? kFirstLevel1Code : kFirstLevel2Code);
}

// The row-cell ("QuWei") number a user knows a linear code by: row and cell
// from 1, as row * 100 + cell.
inline constexpr int RowCellOf(std::int32_t linear) {
  return linear / kCellsPerRow * 100 + linear % kCellsPerRow + 101;
}

}  // namespace mox
