// Decoding of BMF image rows as pure functions over byte spans: the row
// header of an encoded row, the three row encodings and the mask for the
// last byte of a row. The image reader feeds them from the file; a fuzz
// target can feed them any bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace mox {

// Row types of an encoded row (bits 12 to 15 of its row header).
inline constexpr unsigned kRowLiteral = 0;    // the row's bytes, the rest zero
inline constexpr unsigned kRowRunLength = 2;  // run-length code, the rest zero
inline constexpr unsigned kRowDelta = 3;      // changes to the previous row

inline constexpr std::size_t kRowHeaderSize = 2;
// Bits 0 to 11 of a row header: a row's data may be longer than the row.
inline constexpr std::size_t kMaxRowDataCount = 0xFFF;

struct RowHeader {
  std::uint16_t Count = 0;  // bytes of data that follow the header
  unsigned Type = 0;
};

// The 2-byte little-endian row header.
RowHeader ParseRowHeader(std::uint8_t low, std::uint8_t high);

bool IsValidRowType(unsigned type);

// Bytes of one row of an image of that width: (width + 7) / 8.
std::size_t RowBytes(std::uint32_t width);
// The bits of a row's last byte that lie inside the width.
std::uint8_t LastByteMask(std::uint32_t width);

// Decodes one row's data into row, which holds the previous row on entry
// (delta rows change it; the other types replace it). Nothing is read past
// the end of data and nothing is written past the end of row. false, with
// row unchanged, for an invalid type.
bool DecodeRow(unsigned type, std::span<const std::uint8_t> data, std::span<std::uint8_t> row);

// Decodes the next encoded row of input (its row header and data) into row
// as DecodeRow does and moves input past it. false when input ends before
// the row's header or data does, or the type is invalid.
bool DecodeNextRow(std::span<const std::uint8_t>& input, std::span<std::uint8_t> row);

}  // namespace mox
