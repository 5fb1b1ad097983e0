// Writing Chinese outline font files: a glyph's contours become the command
// stream of the format, and the streams of a font become a file of type 1, 2
// or 3. Used by the font compiler and by the tests that build small fonts by
// hand. Errors in the input throw std::invalid_argument.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "previewer/fonts/outline_font_format.h"

namespace mox::hzfont {

// A point of the design grid: x to the right, y downwards, both in
// [0, design size).
struct GridPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const GridPoint&) const = default;
};

// A line to End, or a cubic through the controls C1 and C2 to End.
struct Segment {
  bool Cubic = false;
  GridPoint C1;
  GridPoint C2;
  GridPoint End;

  static Segment Line(GridPoint end) { return {false, {}, {}, end}; }
  static Segment Curve(GridPoint c1, GridPoint c2, GridPoint end) { return {true, c1, c2, end}; }
};

// A closed contour: from Start through its segments and back to Start.
struct Contour {
  GridPoint Start;
  std::vector<Segment> Segments;
};

// The command stream of one glyph: each contour as 0, its start point (1),
// straight runs as polylines (2) or single points (1), curves (3), 254; then
// 255. Lines that do not move are left out, and a last line back to the
// start is left to the closing. No contours: just the end of the glyph.
std::vector<std::uint8_t> EncodeGlyph(const std::vector<Contour>& contours, int design_width,
                                      int design_height);

// The stream of glyph k scrambled for types 1 and 2.
std::vector<std::uint8_t> ScrambleGlyph(int k, const std::vector<std::uint8_t>& values);

// A prefix code for byte values: the decoding tree as the file holds it and
// each value's bits (most significant first).
struct CodeTable {
  outline_format::DecodingTree Tree;
  std::array<std::vector<bool>, 256> Codes;
};
// A Huffman code for the values that occur (frequency above 0); at most 256
// values need at most 255 nodes. Ties are broken by value, so the same input
// gives the same tree. A single value gets the one-bit code 0.
CodeTable BuildCodeTable(const std::array<std::uint64_t, 256>& frequencies);
// The values' codes packed into bytes from the most significant bit; the last
// byte is padded with 0 bits.
std::vector<std::uint8_t> EncodeBits(const CodeTable& table, const std::vector<std::uint8_t>& values);

struct FontImage {
  int Type = outline_format::kScrambled;
  int FirstCode = 0;  // header only: the count is Glyphs.size()
  int DesignWidth = 256;
  int DesignHeight = 256;
  std::vector<std::vector<std::uint8_t>> Glyphs;  // command streams, by code index
};

// The bytes of the font file.
std::vector<std::uint8_t> WriteFont(const FontImage& font);

}  // namespace mox::hzfont
