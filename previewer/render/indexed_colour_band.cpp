#include "previewer/render/indexed_colour_band.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "previewer/render/colour_band.h"

namespace mox {
namespace {

bool SameColour(RgbColour a, RgbColour b) {
  return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue;
}

// Each byte of 1-bit ink as the mask of its eight pixels at 2 and at 4
// bits, most significant pixel first.
struct InkMasks {
  std::array<std::uint16_t, 256> Two{};
  std::array<std::uint32_t, 256> Four{};
  InkMasks() {
    for (unsigned byte = 0; byte < 256; ++byte) {
      std::uint32_t two = 0;
      std::uint32_t four = 0;
      for (int bit = 7; bit >= 0; --bit) {
        const bool set = ((byte >> bit) & 1u) != 0;
        two = (two << 2) | (set ? 3u : 0u);
        four = (four << 4) | (set ? 15u : 0u);
      }
      Two[byte] = static_cast<std::uint16_t>(two);
      Four[byte] = four;
    }
  }
};

const InkMasks& Masks() {
  static const InkMasks masks;
  return masks;
}

int DepthOf(const std::vector<RgbColour>& palette) {
  return palette.size() <= 2 ? 1 : palette.size() <= 4 ? 2 : 4;
}

}  // namespace

std::optional<std::vector<RgbColour>> IndexedColoursOf(const PageBuffer& page) {
  if (!page.Figures.empty()) return std::nullopt;
  std::vector<RgbColour> palette{{page.Background.R, page.Background.G, page.Background.B},
                                 {0, 0, 0}};
  if (SameColour(palette[0], palette[1])) palette.pop_back();
  for (const PageItem& item : page.Items) {
    if (item.Kind == ItemEnd) break;
    if (item.Kind == ItemFigure) return std::nullopt;
    if (item.Kind != ItemDvipsColor) continue;
    const RgbColour colour = ColourOfRef(item.Ref());
    if (std::none_of(palette.begin(), palette.end(),
                     [&](RgbColour known) { return SameColour(known, colour); })) {
      if (palette.size() == kMaxIndexedColours) return std::nullopt;
      palette.push_back(colour);
    }
  }
  const std::size_t entries = std::size_t{1} << DepthOf(palette);
  palette.resize(entries, palette.front());
  return palette;
}

unsigned IndexOfColour(const std::vector<RgbColour>& palette, RgbColour colour) {
  for (std::size_t i = 0; i < palette.size(); ++i) {
    if (SameColour(palette[i], colour)) return static_cast<unsigned>(i);
  }
  return 0;
}

void StartIndexedBand(BandImage& colour, const BandImage& ink, int rows,
                      const std::vector<RgbColour>& palette) {
  const int depth = DepthOf(palette);
  if (colour.Width != ink.Width || colour.Rows != ink.Rows || colour.BitsPerPixel != depth) {
    colour.Width = ink.Width;
    colour.Rows = ink.Rows;
    colour.BitsPerPixel = depth;
    colour.RowBytes = ((depth * ink.Width + 31) / 32) * 4;
    colour.Bits.assign(static_cast<std::size_t>(colour.RowBytes) * ink.Rows, 0);
  }
  colour.Palette = palette;
  std::fill_n(colour.Bits.begin(), static_cast<std::size_t>(colour.RowBytes) * rows, 0);
}

void LayIndexedInk(BandImage& colour, const BandImage& ink, int first_row, int end_row,
                   unsigned index) {
  const InkMasks& masks = Masks();
  const int depth = colour.BitsPerPixel;
  // The index repeated over a byte's worth of pixels of each depth.
  const std::uint32_t pattern = depth == 1 ? (index != 0 ? 0xFFu : 0u)
                                : depth == 2 ? index * 0x5555u
                                             : index * 0x11111111u;
  const int bytes = (ink.Width + 7) / 8;
  const int whole = bytes / 8 * 8;
  for (int y = std::max(first_row, 0); y < end_row; ++y) {
    const std::uint8_t* source = ink.Bits.data() + static_cast<std::size_t>(y) * ink.RowBytes;
    std::uint8_t* target = colour.Bits.data() + static_cast<std::size_t>(y) * colour.RowBytes;
    for (int b = 0; b < bytes; ++b) {
      if (b < whole && b % 8 == 0) {  // most of a page is paper: eight bytes at a time
        std::uint64_t eight;
        std::memcpy(&eight, source + b, 8);
        if (eight == 0) {
          b += 7;
          continue;
        }
      }
      const unsigned byte = source[b];
      if (byte == 0) continue;
      if (depth == 1) {
        target[b] = static_cast<std::uint8_t>((target[b] & ~byte) | (pattern & byte));
      } else if (depth == 2) {
        const unsigned mask = masks.Two[byte];
        std::uint8_t* at = target + 2 * b;
        const unsigned old = (unsigned{at[0]} << 8) | at[1];
        const unsigned now = (old & ~mask) | (pattern & mask);
        at[0] = static_cast<std::uint8_t>(now >> 8);
        at[1] = static_cast<std::uint8_t>(now);
      } else {
        const std::uint32_t mask = masks.Four[byte];
        std::uint8_t* at = target + 4 * b;
        const std::uint32_t old = (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) |
                                  (std::uint32_t{at[2]} << 8) | at[3];
        const std::uint32_t now = (old & ~mask) | (pattern & mask);
        for (int k = 0; k < 4; ++k) at[k] = static_cast<std::uint8_t>(now >> (24 - 8 * k));
      }
    }
  }
}

}  // namespace mox
