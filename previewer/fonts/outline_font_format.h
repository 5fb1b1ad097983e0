// The Chinese outline font file format: the constants the driver reads and
// the font compiler (tools/mkhzfont) writes, kept in one place so that both
// sides agree byte for byte.
//
// Header (12 bytes, little-endian): 0xFD 0xFD, type (1, 2 or 3), 0, first
// and last character code (unsigned 16 bit), design width and height (signed
// 16 bit, above 0). count = last - first + 1; glyph k (0 <= k < count) is the
// code index within the font's slot.
//
//   type 1: (count + 1) offsets of 4 bytes at 12; glyph k's bytes run from
//           offset k to offset k + 1, scrambled (below).
//   type 2: a 2-byte record size s at 12 (bytes 14 and 15 unused); glyph k is
//           the s bytes at 16 + k * s, scrambled.
//   type 3: offsets as type 1, then the decoding tree (below); glyph k's
//           bytes are a bit stream of tree codes that starts on a byte
//           boundary at offset k.
//
// A font holds at most kOutlineMaxGlyphs glyphs: the driver keeps the offsets
// in a table of kOutlineMaxGlyphs + 1 entries, and a header with a larger
// count is a bad header.
#pragma once

#include <array>
#include <cstdint>

namespace mox::outline_format {

inline constexpr std::uint8_t kSignatureByte = 0xFD;
inline constexpr int kHeaderBytes = 12;
inline constexpr int kType2RecordStart = 16;
inline constexpr int kMaxGlyphs = 3760;

// Format types.
inline constexpr int kScrambled = 1;       // offsets, scrambled bytes
inline constexpr int kFixedRecords = 2;    // records of one size, scrambled
inline constexpr int kTreeCoded = 3;       // offsets, bit stream of tree codes

// Commands of the (descrambled or decoded) glyph stream.
inline constexpr std::uint8_t kStartContour = 0;  // current point := (0, 0)
inline constexpr std::uint8_t kPoint = 1;         // dx, dy
inline constexpr std::uint8_t kPolyline = 2;      // dx, dy pairs until 0, 0
inline constexpr std::uint8_t kCubic = 3;         // three dx, dy pairs
inline constexpr std::uint8_t kEndContour = 254;
inline constexpr std::uint8_t kEndGlyph = 255;

// Point arithmetic: a delta is one byte taken modulo the design size, so a
// step back of d units is written as size - d. Coordinates stay in
// [0, size). With a design size of 256 every byte is the step itself in
// two's complement, which is why the compiler uses a 256 by 256 grid.
constexpr int AdvanceCoordinate(int coordinate, int delta, int size) {
  return (coordinate + delta) % size;
}
// The byte that moves `from` to `to` (both in [0, size), size <= 256).
constexpr std::uint8_t DeltaByte(int from, int to, int size) {
  return static_cast<std::uint8_t>(((to - from) % size + size) % size);
}

// Scrambling (types 1 and 2). Two key tables, of 17 and 19 bytes, are part of
// the format: every reader and writer of these files uses these values.
inline constexpr std::array<std::uint8_t, 17> kKey17 = {
    0x4F, 0x34, 0x4A, 0x49, 0xA8, 0x9F, 0x99, 0x2A, 0x0C,
    0x29, 0xA3, 0x4B, 0x74, 0x05, 0x66, 0xCF, 0xDF};
inline constexpr std::array<std::uint8_t, 19> kKey19 = {
    0x40, 0x6B, 0x68, 0x7A, 0xC1, 0xF3, 0xF9, 0x87, 0xCD, 0x41,
    0x8F, 0x95, 0x80, 0x1B, 0x30, 0x37, 0x56, 0x33, 0x0E};

// The positions in the two tables: p17 = k mod 17 and p19 = k mod 19 at the
// start of glyph k; after each byte p17 steps down (0 wraps to 16) and p19
// steps up (18 wraps to 0).
struct KeyPositions {
  int P17 = 0;
  int P19 = 0;

  static constexpr KeyPositions ForGlyph(int k) { return {k % 17, k % 19}; }
  constexpr void Step() {
    P17 = P17 == 0 ? 16 : P17 - 1;
    P19 = P19 == 18 ? 0 : P19 + 1;
  }
};

// raw r -> ((r - p19) XOR K17[p17] XOR K19[p19]) + p17, kept to 8 bits.
constexpr std::uint8_t Descramble(std::uint8_t raw, const KeyPositions& at) {
  const unsigned mixed = (static_cast<unsigned>(raw - at.P19) & 0xFFu) ^
                         kKey17[static_cast<std::size_t>(at.P17)] ^
                         kKey19[static_cast<std::size_t>(at.P19)];
  return static_cast<std::uint8_t>(mixed + static_cast<unsigned>(at.P17));
}
// The inverse, for the writer: plain v -> ((v - p17) XOR K17 XOR K19) + p19.
constexpr std::uint8_t Scramble(std::uint8_t plain, const KeyPositions& at) {
  const unsigned mixed = (static_cast<unsigned>(plain - at.P17) & 0xFFu) ^
                         kKey17[static_cast<std::size_t>(at.P17)] ^
                         kKey19[static_cast<std::size_t>(at.P19)];
  return static_cast<std::uint8_t>(mixed + static_cast<unsigned>(at.P19));
}

// The decoding tree (type 3): 4 bytes of node 0 whose first byte is the node
// count n (1 to 255; the other three bytes are unused), then nodes 1 to n of
// 4 bytes each: left value, right value, left child, right child. Decoding a
// value starts at node 1 and takes bits most significant first: a 1 goes to
// the right child, a 0 to the left one; a child of 0 ends the value with that
// side's value. Every child must be at most n.
inline constexpr int kMaxTreeNodes = 255;

struct TreeNode {
  std::uint8_t LeftValue = 0;
  std::uint8_t RightValue = 0;
  std::uint8_t LeftChild = 0;
  std::uint8_t RightChild = 0;
};

struct DecodingTree {
  int NodeCount = 0;
  std::array<TreeNode, kMaxTreeNodes + 1> Nodes{};  // index 0 unused

  // Whether every child lies inside the tree.
  bool Valid() const {
    if (NodeCount < 1 || NodeCount > kMaxTreeNodes) return false;
    for (int i = 1; i <= NodeCount; ++i) {
      const TreeNode& node = Nodes[static_cast<std::size_t>(i)];
      if (node.LeftChild > NodeCount || node.RightChild > NodeCount) return false;
    }
    return true;
  }
};

// Decodes one value; next_bit() returns 0, 1 or -1 at the end of the data.
// Returns the value, or -1 when the data ends inside a code.
template <typename NextBit>
int DecodeValue(const DecodingTree& tree, NextBit&& next_bit) {
  int node = 1;
  for (;;) {
    const int bit = next_bit();
    if (bit < 0) return -1;
    const TreeNode& at = tree.Nodes[static_cast<std::size_t>(node)];
    const int child = bit != 0 ? at.RightChild : at.LeftChild;
    if (child == 0) return bit != 0 ? at.RightValue : at.LeftValue;
    node = child;
  }
}

}  // namespace mox::outline_format
