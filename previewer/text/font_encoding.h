// The Unicode text of a character of a TeX font: the font's encoding is
// known by its TFM name (Computer Modern's OT1 and its italic and
// typewriter variants, the EC fonts' T1, the text companion TS1, the
// mathematics fonts and the 8r encoding of the PostScript base fonts), and
// each encoding gives a code its characters.
#pragma once

#include <string_view>

namespace mox {

enum class FontEncoding {
  Ot1,            // cmr, cmbx, cmsl, cmss, cmcsc, ...
  Ot1Italic,      // cmti, cmbxti, cmu: "$" is the pound sign
  Ot1Typewriter,  // cmtt, cmsltt, cmitt: no ligatures, ASCII in their places
  T1,             // ec*, and the virtual text fonts *8t
  T1Typewriter,   // ectt, ecst, ... (as T1, with a straight quote)
  Ts1,            // tc*, and the virtual companion fonts *8c
  MathItalic,     // cmmi: Greek and italic letters
  MathSymbols,    // cmsy
  MathExtension,  // cmex
  TexBase1,       // *8r: the base fonts of psnfss
  Unknown,        // printable ASCII taken as itself
};

// The encoding of a font by its name (area and extension left out, any
// letter case): families by their prefix, psnfss fonts by their suffix.
FontEncoding EncodingOfFont(std::string_view name);

// The text of a code (0 to 255) in an encoding: one or more code points
// (a ligature gives its letters); empty for a piece of a larger symbol or
// a code the encoding leaves unassigned.
std::u32string_view CharacterText(FontEncoding encoding, int code);

}  // namespace mox
