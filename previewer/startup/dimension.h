// Lengths given with a TeX unit, as the page margins ("-B") take them.
#pragma once

#include <optional>
#include <string_view>

namespace mox {

enum class DimensionUnit { Px, Pt, Pc, In, Bp, Cm, Mm, Dd, Cc, Sp };

struct Dimension {
  double Value = 0.0;
  DimensionUnit Unit = DimensionUnit::Cm;
};

// Length of one unit in inches; 0 for px, which is a pixel count as it stands.
double InchesPerUnit(DimensionUnit unit);

// Pixels at the given dots per inch (a px dimension is returned unchanged).
double DimensionToPixels(const Dimension& dimension, double dots_per_inch);

// Optional white space, an optional sign, digits and points (none means 1),
// optional white space, then an optional two-letter unit (any case; none
// means cm) and optional white space. Nothing else.
std::optional<Dimension> ParseDimension(std::string_view text);

}  // namespace mox
