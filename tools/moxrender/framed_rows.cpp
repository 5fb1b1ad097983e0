#include "tools/moxrender/framed_rows.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace mox {
namespace {

// Each byte of 1-bit pixels as the same eight pixels at 2 bits, each byte
// of four 2-bit pixels as the same four at 4 bits, and each byte of two
// 4-bit pixels as two bytes: high half first.
struct Widening {
  std::array<std::uint16_t, 256> Two{};
  std::array<std::uint16_t, 256> Four{};
  std::array<std::uint16_t, 256> Eight{};
  Widening() {
    for (unsigned byte = 0; byte < 256; ++byte) {
      unsigned wide = 0;
      for (int bit = 7; bit >= 0; --bit) wide = (wide << 2) | ((byte >> bit) & 1u);
      Two[byte] = static_cast<std::uint16_t>(wide);
      wide = 0;
      for (int pair = 3; pair >= 0; --pair) wide = (wide << 4) | ((byte >> (2 * pair)) & 3u);
      Four[byte] = static_cast<std::uint16_t>(wide);
      Eight[byte] = static_cast<std::uint16_t>(((byte >> 4) << 8) | (byte & 0x0Fu));
    }
  }
};

const Widening& Widen() {
  static const Widening widening;
  return widening;
}

bool SameColour(RgbColour a, RgbColour b) {
  return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue;
}

}  // namespace

RgbColour UnderFrame(RgbColour colour) { return {0, 0, colour.Blue}; }

FramedRows::FramedRows(int width, int height, int band_depth,
                       const std::vector<RgbColour>& band_palette, bool frame)
    : width_(width), height_(height), band_depth_(band_depth), frame_(frame),
      depth_(band_depth), palette_(band_palette) {
  if (frame_ && band_depth_ != 24) PlaceTwins();
  row_.assign((static_cast<std::size_t>(width) * static_cast<std::size_t>(depth_) + 7) / 8, 0);
}

// The twins go into the entries after the last one that is not the paper
// (entry 0), which no pixel uses, when they are enough; else every entry
// gets a twin at twice the depth.
void FramedRows::PlaceTwins() {
  const auto find = [](const std::vector<RgbColour>& colours, RgbColour colour) {
    return static_cast<std::size_t>(
        std::find_if(colours.begin(), colours.end(),
                     [&](RgbColour known) { return SameColour(known, colour); }) -
        colours.begin());
  };
  std::size_t used = palette_.size();
  while (used > 1 && SameColour(palette_[used - 1], palette_[0])) --used;
  std::vector<RgbColour> placed(palette_.begin(), palette_.begin() + static_cast<std::ptrdiff_t>(used));
  for (std::size_t v = 0; v < used && placed.size() <= palette_.size(); ++v) {
    const RgbColour under = UnderFrame(palette_[v]);
    if (find(placed, under) == placed.size()) placed.push_back(under);
  }
  if (placed.size() <= palette_.size()) {
    placed.resize(palette_.size(), palette_[0]);
    palette_ = std::move(placed);
    // A pixel on two sides (a picture one pixel wide or high) is marked
    // twice, so a twin has its own twin too: itself.
    for (const RgbColour& colour : palette_) {
      twin_.push_back(static_cast<std::uint8_t>(find(palette_, UnderFrame(colour))));
    }
    return;
  }
  depth_ = 2 * band_depth_;
  const std::vector<RgbColour> band_palette = palette_;
  for (const RgbColour& colour : band_palette) palette_.push_back(UnderFrame(colour));
}

// Whether the side from start to end (its end left out) has a dot at
// position: dots of three and gaps of three, counted from its start.
bool FramedRows::OnSide(int position, int start, int end) const {
  if (start == end) return false;
  const long long step = end > start ? 1 : -1;
  const long long k = (static_cast<long long>(position) - start) * step;
  return k >= 0 && k < std::llabs(static_cast<long long>(end) - start) && k % 6 < 3;
}

void FramedRows::Mark(int x) {
  if (x < 0 || x >= width_) return;
  if (depth_ == 24) {  // the mask pen's blue: red and green go
    row_[3 * static_cast<std::size_t>(x)] = 0;
    row_[3 * static_cast<std::size_t>(x) + 1] = 0;
    return;
  }
  if (!twin_.empty()) {  // the pixel's entry becomes its twin's
    const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(depth_);
    const int shift = 8 - depth_ - static_cast<int>(bit % 8);
    const unsigned mask = ((1u << depth_) - 1) << shift;
    std::uint8_t& byte = row_[bit / 8];
    const unsigned value = (byte & mask) >> shift;
    byte = static_cast<std::uint8_t>((byte & ~mask) | (unsigned{twin_[value]} << shift));
  } else if (depth_ == 2) {
    row_[static_cast<std::size_t>(x) / 4] |= static_cast<std::uint8_t>(2u << (6 - 2 * (x % 4)));
  } else if (depth_ == 4) {
    row_[static_cast<std::size_t>(x) / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? 0x40u : 0x04u);
  } else {
    row_[static_cast<std::size_t>(x)] |= 16;
  }
}

const std::uint8_t* FramedRows::Row(const std::uint8_t* band_row, int y) {
  if (band_depth_ == 24) return ColourRow(band_row, y);
  if (!frame_) return band_row;
  const std::size_t band_bytes = (static_cast<std::size_t>(width_) * band_depth_ + 7) / 8;
  const int right = width_ - 1;
  const int bottom = height_ - 1;
  // The four sides as DrawFrame draws them: top left to right, right side
  // downwards, bottom right to left, left side upwards.
  const bool edge_row = y == 0 || y == bottom;
  const int side_dots = (OnSide(y, 0, bottom) ? 1 : 0) | (OnSide(y, bottom, 0) ? 2 : 0);
  // Whole words of the band row first, then its last bytes.
  const std::size_t whole = band_bytes / 8 * 8;
  const auto word_at = [band_row](std::size_t i) {
    std::uint64_t eight;
    std::memcpy(&eight, band_row + i, 8);
    return eight;
  };
  bool blank = true;
  for (std::size_t i = 0; i < whole && blank; i += 8) blank = word_at(i) == 0;
  for (std::size_t i = whole; i < band_bytes && blank; ++i) blank = band_row[i] == 0;
  // Paper with the same side dots as the row before: that row again.
  if (blank && !edge_row && side_dots == blank_side_dots_) return row_.data();
  blank_side_dots_ = blank && !edge_row ? side_dots : -1;

  std::uint8_t* out = row_.data();
  const std::size_t out_size = row_.size();
  if (!twin_.empty()) {
    std::memcpy(out, band_row, out_size);
  } else {
    std::memset(out, 0, out_size);
  }
  if (!blank && twin_.empty()) {
    // Only the band's non-zero words are widened, two bytes a byte.
    const Widening& widen = Widen();
    const std::uint16_t* table = band_depth_ == 1   ? widen.Two.data()
                                 : band_depth_ == 2 ? widen.Four.data()
                                                    : widen.Eight.data();
    const auto widen_byte = [&](std::size_t k) {
      const std::uint16_t wide = table[band_row[k]];
      out[2 * k] = static_cast<std::uint8_t>(wide >> 8);
      if (2 * k + 1 < out_size) out[2 * k + 1] = static_cast<std::uint8_t>(wide);
    };
    for (std::size_t i = 0; i < whole; i += 8) {
      if (word_at(i) == 0) continue;
      std::uint8_t sixteen[16];
      for (std::size_t k = 0; k < 8; ++k) {
        const std::uint16_t wide = table[band_row[i + k]];
        sixteen[2 * k] = static_cast<std::uint8_t>(wide >> 8);
        sixteen[2 * k + 1] = static_cast<std::uint8_t>(wide);
      }
      std::memcpy(out + 2 * i, sixteen, std::min<std::size_t>(16, out_size - 2 * i));
    }
    for (std::size_t k = whole; k < band_bytes; ++k) widen_byte(k);
  }
  if (edge_row) {
    for (int x = 0; x < width_; ++x) {
      if ((y == 0 && OnSide(x, 0, right)) || (y == bottom && OnSide(x, right, 0))) Mark(x);
    }
  }
  if (side_dots & 1) Mark(right);
  if (side_dots & 2) Mark(0);
  return row_.data();
}

// A row of a page with colour: the band's blue, green and red as PNG's red,
// green and blue, with the frame's dots.
const std::uint8_t* FramedRows::ColourRow(const std::uint8_t* band_row, int y) {
  std::uint8_t* out = row_.data();
  for (int x = 0; x < width_; ++x) {
    out[3 * x] = band_row[3 * x + 2];
    out[3 * x + 1] = band_row[3 * x + 1];
    out[3 * x + 2] = band_row[3 * x];
  }
  if (!frame_) return out;
  const int right = width_ - 1;
  const int bottom = height_ - 1;
  if (y == 0 || y == bottom) {
    for (int x = 0; x < width_; ++x) {
      if ((y == 0 && OnSide(x, 0, right)) || (y == bottom && OnSide(x, right, 0))) Mark(x);
    }
  }
  if (OnSide(y, 0, bottom)) Mark(right);
  if (OnSide(y, bottom, 0)) Mark(0);
  return out;
}

}  // namespace mox
