// The colours of a line of a TeX source: its control sequences, comment,
// math delimiters and the math between them, braces and brackets, and the
// names of \begin{...} and \end{...}. A line is coloured from the state
// the lines above leave (inside math, inside verbatim text, inside the
// argument of \begin), and gives the state it leaves to the next line, so
// the window colours only the lines it shows (tex_line_states.h keeps the
// states). Lines are GBK bytes; a trail byte never counts as a TeX sign.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace mox::varelo {

enum class TexSpanKind : std::uint8_t {
  ControlSequence,  // \alpha, \\, \{, \% and every other control symbol
  Comment,          // % to the end of the line
  MathDelimiter,    // $, $$, \( \), \[ \]
  Bracket,          // { } [ ]
  EnvironmentName,  // the name in \begin{...} and \end{...}
  MathText,         // what math holds besides the kinds above
  Verbatim,         // \verb|...| and the lines of a verbatim environment
};

// Bytes of a line [Start, Start + Length) of one kind; what no span
// covers is plain text.
struct TexSpan {
  std::size_t Start = 0;
  std::size_t Length = 0;
  TexSpanKind Kind = TexSpanKind::ControlSequence;
  bool operator==(const TexSpan&) const = default;
};

// What opened the math a line starts in.
enum class TexMath : std::uint8_t { None, Dollar, DoubleDollar, Paren, Bracket, Environment };

// Where a \begin or \end stands: waiting for its "{" (which may come on
// the next line) or inside the name.
enum class TexArgument : std::uint8_t { None, AfterBegin, AfterEnd, InBeginName, InEndName };

// The state at the start of a line. A blank line ends a paragraph, and
// with it math and a \begin waiting for its name (TeX does not let math
// run over a paragraph's end): a stray "$" colours no further than that.
struct TexLineState {
  TexMath Math = TexMath::None;
  std::uint8_t MathEnvironment = 0;  // which one, when Math is Environment
  TexArgument Argument = TexArgument::None;
  std::uint8_t Verbatim = 0;  // 1 + which verbatim environment; 0 outside
  bool operator==(const TexLineState&) const = default;
};

struct TexLineColours {
  std::vector<TexSpan> Spans;  // in order, not overlapping
  TexLineState End;
};

// A line without its line end (a CR or LF at the end is left out).
TexLineColours ColourTexLine(std::string_view line, TexLineState start);
// The same state as ColourTexLine's, without making the spans.
TexLineState TexStateAfter(std::string_view line, TexLineState start);

}  // namespace mox::varelo
