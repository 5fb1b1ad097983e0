// A virtual font (VF) file: the fonts it is made of and, for each
// character, the DVI commands that draw it (its packet), checked and
// decoded once when the file is read, so that setting a character only
// walks a list of operations.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mox {

// A font the virtual font is made of, as its fnt_def gives it.
struct VfLocalFont {
  std::uint32_t Number = 0;   // as the packets select it
  std::uint32_t Checksum = 0;
  std::int32_t Scale = 0;     // fix_word, in units of the virtual font's size
  std::int32_t DesignSize = 0;// fix_word, points with 20 fraction bits
  std::string Name;           // area and name joined
};

enum class VfOpKind : std::uint8_t {
  Set, Put,            // A: code
  SetRule, PutRule,    // A: height, B: width (fix_words)
  Push, Pop,
  Right, W, X,         // A: amount (fix_word); W and X also keep it
  Down, Y, Z,
  W0, X0, Y0, Z0,
  Font,                // A: index into the file's fonts
  Special,             // A: offset into Specials, B: length
};

struct VfOp {
  VfOpKind Kind;
  std::int32_t A = 0;
  std::int32_t B = 0;
};

struct VfCharacter {
  bool Present = false;
  std::int32_t Width = 0;    // TFM width, fix_word in units of the size
  std::uint32_t First = 0;   // its operations: Ops[First, First + Count)
  std::uint32_t Count = 0;
};

struct VirtualFontFile {
  std::uint32_t Checksum = 0;
  std::int32_t DesignSize = 0;    // fix_word, points
  std::vector<VfLocalFont> Fonts; // the first is the one a packet starts in
  // Characters 0 to 255, which is what DVI files set with one byte; packets
  // of larger codes are read past.
  std::array<VfCharacter, 256> Characters;
  std::vector<VfOp> Ops;
  std::string Specials;
};

enum class VfProblem {
  None, NotVirtualFont, Truncated, BadFontDefinition, UnknownFont, BadCommand, UnbalancedPop,
};

// Reads a VF file. Nothing, with the problem, for a file that is not one or
// whose packets hold commands a packet may not (bop, eop, font definitions,
// a pop below the packet's own level, a font it does not define).
std::optional<VirtualFontFile> ParseVirtualFont(std::span<const std::uint8_t> bytes,
                                                VfProblem* problem = nullptr);

}  // namespace mox
