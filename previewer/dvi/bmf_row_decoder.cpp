#include "previewer/dvi/bmf_row_decoder.h"

#include <algorithm>
#include <cstring>

namespace mox {
namespace {

// Copies up to count bytes from data[in] to row[out], as many as both the
// data and the row still have; advances both positions.
void CopyBytes(std::span<const std::uint8_t> data, std::size_t& in,
               std::span<std::uint8_t> row, std::size_t& out, std::size_t count) {
  const std::size_t n = std::min({count, data.size() - in, row.size() - out});
  if (n > 0) std::memcpy(row.data() + out, data.data() + in, n);
  in += n;
  out += n;
}

void DecodeLiteral(std::span<const std::uint8_t> data, std::span<std::uint8_t> row) {
  std::size_t in = 0;
  std::size_t out = 0;
  CopyBytes(data, in, row, out, data.size());
  std::fill(row.begin() + static_cast<std::ptrdiff_t>(out), row.end(), 0);
}

// Control byte b: 0 to 127 copies the b + 1 bytes that follow; 128 to 255
// repeats the one byte that follows 257 - b times.
void DecodeRunLength(std::span<const std::uint8_t> data, std::span<std::uint8_t> row) {
  std::size_t in = 0;
  std::size_t out = 0;
  while (in < data.size() && out < row.size()) {
    const unsigned control = data[in++];
    if (control < 128) {
      CopyBytes(data, in, row, out, control + 1);
    } else {
      if (in == data.size()) break;
      const std::uint8_t value = data[in++];
      const std::size_t n = std::min<std::size_t>(257 - control, row.size() - out);
      std::memset(row.data() + out, value, n);
      out += n;
    }
  }
  std::fill(row.begin() + static_cast<std::ptrdiff_t>(out), row.end(), 0);
}

// Control byte c: skip c & 31 bytes (31 adds the bytes that follow, reading
// on while a byte is 255), then copy the c / 32 + 1 bytes that follow.
void DecodeDelta(std::span<const std::uint8_t> data, std::span<std::uint8_t> row) {
  std::size_t in = 0;
  std::size_t out = 0;
  while (in < data.size() && out < row.size()) {
    const unsigned control = data[in++];
    std::size_t skip = control & 31u;
    if (skip == 31) {
      std::uint8_t more = 255;
      while (more == 255 && in < data.size()) {
        more = data[in++];
        skip += more;
      }
    }
    // The skip is at most 255 per data byte, so this cannot overflow.
    if (skip >= row.size() - out) break;
    out += skip;
    CopyBytes(data, in, row, out, (control >> 5) + 1);
  }
}

}  // namespace

RowHeader ParseRowHeader(std::uint8_t low, std::uint8_t high) {
  const unsigned value = static_cast<unsigned>(low) | (static_cast<unsigned>(high) << 8);
  return {static_cast<std::uint16_t>(value & kMaxRowDataCount), value >> 12};
}

bool IsValidRowType(unsigned type) {
  return type == kRowLiteral || type == kRowRunLength || type == kRowDelta;
}

std::size_t RowBytes(std::uint32_t width) {
  return (static_cast<std::size_t>(width) + 7) / 8;
}

std::uint8_t LastByteMask(std::uint32_t width) {
  const unsigned unused = static_cast<unsigned>(RowBytes(width) * 8 - width);
  return static_cast<std::uint8_t>(0xFFu << unused);
}

bool DecodeRow(unsigned type, std::span<const std::uint8_t> data, std::span<std::uint8_t> row) {
  switch (type) {
    case kRowLiteral:
      DecodeLiteral(data, row);
      return true;
    case kRowRunLength:
      DecodeRunLength(data, row);
      return true;
    case kRowDelta:
      DecodeDelta(data, row);
      return true;
    default:
      return false;
  }
}

bool DecodeNextRow(std::span<const std::uint8_t>& input, std::span<std::uint8_t> row) {
  if (input.size() < kRowHeaderSize) return false;
  const RowHeader header = ParseRowHeader(input[0], input[1]);
  if (input.size() - kRowHeaderSize < header.Count) return false;
  if (!DecodeRow(header.Type, input.subspan(kRowHeaderSize, header.Count), row)) return false;
  input = input.subspan(kRowHeaderSize + header.Count);
  return true;
}

}  // namespace mox
