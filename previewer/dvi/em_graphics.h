// The "em:" graphics specials: numbered points at the current position and
// straight lines between two points, with a cut at each end and a width.
#pragma once

#include <cstdint>
#include <string_view>

namespace mox {

enum EmCommandCode : int {
  EmPoint = 0,
  EmLine = 1,
  EmLineWidth = 2,
  EmMoveTo = 3,
  EmLineTo = 4,
};

// End cuts of a line: horizontal, vertical, or perpendicular to the line.
enum EmCut : int { EmCutH = 0, EmCutV = 1, EmCutP = 2 };

struct EmCommand {
  std::uint32_t Point = 0;     // point: its number; line: the first point
  std::uint32_t Point2 = 0;    // line: the second point
  int Cut1 = EmCutP;
  int Cut2 = EmCutP;
  double WidthInches = 0.0;    // line (0 when none was given), linewidth
};

// Parses the text after "em:". Returns the command code, or -1 when the text
// is not an accepted em: command. A width given in "px" is divided by
// pixels_per_inch.
int ParseEm(std::string_view text, double pixels_per_inch, EmCommand& command);

// A width in inches as the item stores it: 1/256 pixel at the resolution and
// magnification (thousandths), kept to the 24 bits the item has for it.
std::uint32_t EmWidthUnits(double inches, double dots_per_inch, std::uint32_t magnification);

}  // namespace mox
