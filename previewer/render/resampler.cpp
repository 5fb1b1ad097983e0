#include "previewer/render/resampler.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace mox {
namespace {

// floor(a / b) for b > 0 and any a.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

bool Bit(const std::uint8_t* row, int x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }

void SetPixel(std::uint8_t* row, int x, int bits_per_pixel, unsigned value) {
  if (bits_per_pixel == 1) {
    row[x >> 3] |= static_cast<std::uint8_t>(0x80u >> (x & 7));
  } else {
    row[x >> 1] |= static_cast<std::uint8_t>((x & 1) ? value : value << 4);
  }
}

// Source rows covered by target row r: [*from, *to).
void CoveredRows(int r, int sh, int th, std::int64_t* from, std::int64_t* to) {
  *from = FloorDiv(static_cast<std::int64_t>(r) * sh, th);
  *to = FloorDiv(static_cast<std::int64_t>(r + 1) * sh, th);
}

void UnionRow(const ResampleSource& source, const ResampleTarget& target, int r,
              std::vector<std::uint8_t>& merged, std::uint8_t* out) {
  std::int64_t from = 0;
  std::int64_t to = 0;
  CoveredRows(r, source.Height, target.Height, &from, &to);
  if (to == from) to = from + 1;  // enlarging: the row the target row lies in
  from = std::max<std::int64_t>(from, source.First);
  to = std::min<std::int64_t>(to, static_cast<std::int64_t>(source.Last) + 1);
  if (from >= to) return;
  const int row_bytes = (source.Width + 7) / 8;
  std::fill(merged.begin(), merged.end(), 0);
  for (std::int64_t i = from; i < to; ++i) {
    const std::uint8_t* row = source.Row(static_cast<int>(i));
    for (int b = 0; b < row_bytes; ++b) merged[static_cast<std::size_t>(b)] |= row[b];
  }
  const int sw = source.Width;
  const int tw = target.Width;
  const int first_column = target.FirstColumn;
  const int last_column = target.FirstColumn + target.Columns - 1;
  int x = 0;
  while (x < sw) {
    // Skip white whole bytes, then find the run's ends.
    if ((x & 7) == 0 && merged[static_cast<std::size_t>(x >> 3)] == 0) {
      x += 8;
      continue;
    }
    if (!Bit(merged.data(), x)) {
      ++x;
      continue;
    }
    const int f = x;
    while (x < sw && Bit(merged.data(), x)) ++x;
    const int l = x;
    std::int64_t c0 = (sw / 2 + static_cast<std::int64_t>(tw) * f) / sw;
    std::int64_t c1 = (sw / 2 + static_cast<std::int64_t>(tw) * (l - 1)) / sw;
    if (tw > sw) {
      // Enlarging (a printer of more dots than the fonts): the run covers
      // every target column that its pixels cover, as the rows do, so that
      // strokes keep their weight.
      c0 = static_cast<std::int64_t>(tw) * f / sw;
      c1 = static_cast<std::int64_t>(tw) * l / sw - 1;
    }
    const int from_column = static_cast<int>(std::max<std::int64_t>(c0, first_column));
    const int to_column = static_cast<int>(std::min<std::int64_t>(c1, last_column));
    for (int c = from_column; c <= to_column; ++c) SetPixel(out, c - first_column, 1, 1);
  }
}

void GreyRow(const ResampleSource& source, const ResampleTarget& target, int r,
             std::vector<int>& column_ink, std::uint8_t* out) {
  std::int64_t from = 0;
  std::int64_t to = 0;
  CoveredRows(r, source.Height, target.Height, &from, &to);
  if (from >= to) return;  // a target row that covers no source row stays blank
  const std::int64_t covered_rows = to - from;
  from = std::max<std::int64_t>(from, source.First);
  to = std::min<std::int64_t>(to, static_cast<std::int64_t>(source.Last) + 1);
  if (from >= to) return;
  const int sw = source.Width;
  const int row_bytes = (sw + 7) / 8;
  std::fill(column_ink.begin(), column_ink.end(), 0);
  bool any = false;
  // Bits beyond the width in a row's last byte are no pixels; they need not
  // be clear.
  const unsigned last_mask = (sw % 8) == 0 ? 0xFFu : (0xFFu << (8 - sw % 8)) & 0xFFu;
  for (std::int64_t i = from; i < to; ++i) {
    const std::uint8_t* row = source.Row(static_cast<int>(i));
    for (int b = 0; b < row_bytes; ++b) {
      const unsigned byte = b + 1 == row_bytes ? (row[b] & last_mask) : row[b];
      if (byte == 0) continue;
      any = true;
      for (int k = 0; k < 8; ++k) {
        if (byte & (0x80u >> k)) ++column_ink[static_cast<std::size_t>(b * 8 + k)];
      }
    }
  }
  if (!any) return;
  const std::int64_t levels = (1 << target.BitsPerPixel) - 1;
  const int tw = target.Width;
  for (int k = 0; k < target.Columns; ++k) {
    const int c = target.FirstColumn + k;
    const std::int64_t c0 = FloorDiv(static_cast<std::int64_t>(c) * sw, tw);
    std::int64_t c1 = FloorDiv(static_cast<std::int64_t>(c + 1) * sw, tw);
    const std::int64_t covered_columns = std::max<std::int64_t>(c1 - c0, 1);
    c1 = std::min<std::int64_t>(c1, sw);
    std::int64_t ink = 0;
    for (std::int64_t x = std::max<std::int64_t>(c0, 0); x < c1; ++x) {
      ink += column_ink[static_cast<std::size_t>(x)];
    }
    if (ink == 0) continue;
    const std::int64_t area = covered_rows * covered_columns;
    const auto value = static_cast<unsigned>((2 * area + 2 * levels * ink - 1) / (2 * area));
    SetPixel(out, k, target.BitsPerPixel, std::min<unsigned>(value, static_cast<unsigned>(levels)));
  }
}

}  // namespace

void Resample(const ResampleSource& source, const ResampleTarget& target) {
  if (source.Width <= 0 || source.Height <= 0 || target.Width <= 0 || target.Height <= 0 ||
      target.Columns <= 0 || source.Last < source.First) {
    return;
  }
  std::vector<std::uint8_t> merged;
  std::vector<int> column_ink;
  if (target.BitsPerPixel == 1) {
    merged.assign(static_cast<std::size_t>((source.Width + 7) / 8), 0);
  } else {
    column_ink.assign(static_cast<std::size_t>(source.Width), 0);
  }
  for (int k = 0; k < target.Rows; ++k) {
    std::uint8_t* out = target.Bits + static_cast<std::size_t>(k) * target.RowBytes;
    if (target.BitsPerPixel == 1) {
      UnionRow(source, target, target.FirstRow + k, merged, out);
    } else {
      GreyRow(source, target, target.FirstRow + k, column_ink, out);
    }
  }
}

}  // namespace mox
