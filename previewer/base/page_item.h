// The display list of one page: fixed-size items in device pixels at the
// font resolution, in DVI order, ended by one ItemEnd. The renderer draws
// them without reading the DVI file again.
#pragma once

#include <cstdint>

namespace mox {

enum PageItemKind : std::int16_t {
  ItemImage = 0,
  ItemPkChar = 1,
  ItemChineseChar = 2,
  ItemRule = 3,
  ItemColor = 4,
  ItemEm = 5,
  ItemEnd = 6,
  // A source special at X, Y; its reference is the index of its mark in
  // DviDocument::SourceMarks. It draws nothing.
  ItemSource = 7,
  // The current colour of dvips' colour specials from here on; its
  // reference is 0xRRGGBB.
  ItemDvipsColor = 8,
  // An EPS figure's rectangle; its reference is the index of its picture in
  // PageBuffer::Figures.
  ItemFigure = 9,
};

// 16 bytes: the fields at offsets 0, 2, 4, 6, 8, 10 and 14, little-endian.
// The names fit characters, rules and images; colour and em: items keep
// other values in the same places (see EmItemRef and the scanner). The
// 32-bit reference at offset 10 is kept as two 16-bit halves, so that the
// item needs no packing and no field is ever read misaligned.
struct PageItem {
  std::int16_t Width;     // 0
  std::int16_t Height;    // 2
  std::int16_t X;         // 4: left edge
  std::int16_t Y;         // 6: top edge
  std::int16_t Baseline;  // 8: rows from the top edge down to the reference point
  // 10: a reference that fits 32 bits on every target: the index of the PK
  // glyph record, the Chinese glyph (slot << 24 | index in the slot), the
  // offset of an image name in the image-name area, or a value (colour, em:).
  std::uint16_t RefLow;
  std::uint16_t RefHigh;
  std::int16_t Kind;      // 14

  std::uint32_t Ref() const {
    return static_cast<std::uint32_t>(RefLow) | (static_cast<std::uint32_t>(RefHigh) << 16);
  }
  void SetRef(std::uint32_t value) {
    RefLow = static_cast<std::uint16_t>(value & 0xFFFFu);
    RefHigh = static_cast<std::uint16_t>(value >> 16);
  }
};
static_assert(sizeof(PageItem) == 16, "a page item is 16 bytes");

inline constexpr std::uint32_t ChineseGlyphRef(int slot, std::uint32_t index) {
  return (static_cast<std::uint32_t>(slot) << 24) | index;
}
inline constexpr int SlotOfRef(std::uint32_t ref) { return static_cast<int>(ref >> 24); }
inline constexpr std::uint32_t IndexOfRef(std::uint32_t ref) { return ref & 0xFFFFFFu; }

// An em: item's reference: the command code in the high byte and its
// argument (a point number, or a width in 1/256 pixel) in the low 24 bits.
inline constexpr std::uint32_t EmItemRef(int command, std::uint32_t argument) {
  return (static_cast<std::uint32_t>(command) << 24) | (argument & 0xFFFFFFu);
}
inline constexpr int EmCommandOfRef(std::uint32_t ref) { return static_cast<int>(ref >> 24); }
inline constexpr std::uint32_t EmArgumentOfRef(std::uint32_t ref) { return ref & 0xFFFFFFu; }

}  // namespace mox
