// The widths of a TeX font metric (TFM) file: what a DVI reader needs of a
// font it has no glyphs for, so that the characters still move the pen and
// the rest of the line stays in place.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mox {

struct TfmMetrics {
  std::uint32_t Checksum = 0;
  std::int32_t DesignSize = 0;       // fix_word: points with 20 fraction bits
  int FirstCode = 0;                 // bc
  int LastCode = -1;                 // ec (bc - 1 for a font without characters)
  // Per code from FirstCode to LastCode: the width as a fix_word in units of
  // the design size; characters the font lacks have none.
  std::vector<std::optional<std::int32_t>> Widths;

  // The width of a code, if the font has it.
  std::optional<std::int32_t> Width(int code) const;
};

// Why a TFM file was refused, for the message that names it.
enum class TfmProblem { None, TooShort, BadLengths, BadCodes, BadWidthIndex };

// Reads the header, the character table and the widths of a TFM file; the
// sizes of the file's tables must add up to its length word as TeX's own
// tools require. Nothing, with the problem, for a file that is not one.
std::optional<TfmMetrics> ParseTfm(std::span<const std::uint8_t> bytes,
                                   TfmProblem* problem = nullptr);

// A fix_word in units of a font's size, scaled to DVI units of that size
// (`scaled_size` in DVI units, below 2^27) exactly as DVI drivers compute it,
// in integers, so that widths of the same file agree to the unit everywhere.
// A size at or beyond 2^27 is out of range (TeX allows none): its width is
// computed in doubles instead.
std::int32_t ScaleFixWord(std::int32_t fix_word, std::int32_t scaled_size);

}  // namespace mox
