// The named colours dvips knows without a header of the document's own.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace mox {

// Cyan, magenta, yellow and black, 0..1 each.
using CmykValues = std::array<double, 4>;

// The CMYK values of one of the 68 names ("GreenYellow" ... "White"); the
// names are compared byte for byte, as PostScript compares them.
std::optional<CmykValues> FindDvipsColorName(std::string_view name);

}  // namespace mox
