#include "previewer/fonts/tfm_metrics.h"

#include <cmath>
#include <limits>

namespace mox {
namespace {

std::uint32_t Word(std::span<const std::uint8_t> bytes, std::size_t index) {
  const std::size_t at = index * 4;
  return (static_cast<std::uint32_t>(bytes[at]) << 24) |
         (static_cast<std::uint32_t>(bytes[at + 1]) << 16) |
         (static_cast<std::uint32_t>(bytes[at + 2]) << 8) | bytes[at + 3];
}

std::uint32_t Half(std::span<const std::uint8_t> bytes, std::size_t index) {
  return (static_cast<std::uint32_t>(bytes[index * 2]) << 8) | bytes[index * 2 + 1];
}

std::optional<TfmMetrics> Refuse(TfmProblem reason, TfmProblem* problem) {
  if (problem != nullptr) *problem = reason;
  return std::nullopt;
}

}  // namespace

std::optional<std::int32_t> TfmMetrics::Width(int code) const {
  if (code < FirstCode || code > LastCode) return std::nullopt;
  return Widths[static_cast<std::size_t>(code - FirstCode)];
}

std::optional<TfmMetrics> ParseTfm(std::span<const std::uint8_t> bytes, TfmProblem* problem) {
  if (problem != nullptr) *problem = TfmProblem::None;
  if (bytes.size() < 24) return Refuse(TfmProblem::TooShort, problem);
  // lf, lh, bc, ec, nw, nh, nd, ni, nl, nk, ne, np: lengths in words.
  std::uint32_t length[12];
  for (std::size_t i = 0; i < 12; ++i) length[i] = Half(bytes, i);
  const std::uint32_t lf = length[0];
  const std::uint32_t lh = length[1];
  const std::uint32_t bc = length[2];
  const std::uint32_t ec = length[3];
  const std::uint32_t nw = length[4];
  if (static_cast<std::uint64_t>(lf) * 4 > bytes.size()) return Refuse(TfmProblem::TooShort, problem);
  if (lh < 2) return Refuse(TfmProblem::BadLengths, problem);
  if (ec > 255 || bc > ec + 1 || (bc > 255 && ec + 1 != bc)) {
    return Refuse(TfmProblem::BadCodes, problem);
  }
  std::uint32_t sum = 6 + lh + (ec + 1 - bc);
  for (std::size_t i = 4; i < 12; ++i) sum += length[i];
  if (sum != lf || nw == 0) return Refuse(TfmProblem::BadLengths, problem);

  TfmMetrics metrics;
  metrics.Checksum = Word(bytes, 6);
  metrics.DesignSize = static_cast<std::int32_t>(Word(bytes, 7));
  metrics.FirstCode = static_cast<int>(bc);
  metrics.LastCode = static_cast<int>(ec);
  const std::size_t characters = 6 + lh;
  const std::size_t widths = characters + (ec + 1 - bc);
  metrics.Widths.reserve(ec + 1 - bc);
  for (std::uint32_t code = bc; code <= ec; ++code) {
    const std::uint32_t info = Word(bytes, characters + (code - bc));
    const std::uint32_t width_index = info >> 24;
    if (width_index == 0) {
      metrics.Widths.emplace_back();  // no such character
      continue;
    }
    if (width_index >= nw) return Refuse(TfmProblem::BadWidthIndex, problem);
    metrics.Widths.emplace_back(static_cast<std::int32_t>(Word(bytes, widths + width_index)));
  }
  return metrics;
}

namespace {

std::int32_t ScaleInDoubles(std::int32_t fix_word, std::int32_t scaled_size) {
  const double value = static_cast<double>(fix_word) / 1048576.0 * scaled_size;
  if (!(value > std::numeric_limits<std::int32_t>::min())) {
    return std::numeric_limits<std::int32_t>::min();
  }
  if (!(value < std::numeric_limits<std::int32_t>::max())) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::int32_t ScaleFixWord(std::int32_t fix_word, std::int32_t scaled_size) {
  const std::uint32_t word = static_cast<std::uint32_t>(fix_word);
  const std::int64_t b0 = word >> 24;
  // A well-formed width lies within 16 design sizes (its first byte 0 or
  // 255); the drivers' integer method holds only for those.
  if (scaled_size <= 0 || scaled_size >= (1 << 27) || (b0 != 0 && b0 != 255)) {
    return ScaleInDoubles(fix_word, scaled_size);
  }
  // Halve the size until it fits 23 bits, so that the products below fit
  // 32 bits; beta undoes the halving, alpha is the value of a negative sign.
  std::int64_t z = scaled_size;
  std::int64_t alpha = 16;
  while (z >= 0x800000) {
    z /= 2;
    alpha += alpha;
  }
  const std::int64_t beta = 256 / alpha;
  alpha *= z;
  const std::int64_t b1 = (word >> 16) & 0xFF;
  const std::int64_t b2 = (word >> 8) & 0xFF;
  const std::int64_t b3 = word & 0xFF;
  const std::int64_t value = (((b3 * z) / 256 + b2 * z) / 256 + b1 * z) / beta;
  return static_cast<std::int32_t>(b0 == 255 ? value - alpha : value);
}

}  // namespace mox
