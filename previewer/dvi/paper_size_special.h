// The paper size a document asks dvips for: "papersize=W,H", which LaTeX
// (graphics packages, geometry, hyperref) writes on the first page, and the
// older bare "landscape".
#pragma once

#include <optional>
#include <string_view>

namespace mox {

// Larger sides are refused, as a huge page is (1000 in).
inline constexpr double kMaxPaperSideBp = 72000.0;

// Width and height of the paper in big points.
struct PaperSize {
  double WidthBp = 0.0;
  double HeightBp = 0.0;
};

// "papersize=W,H", blanks allowed around the whole and around each
// dimension. A dimension is a TeX one: a decimal number with "." as its
// point, then optional blanks, an optional "true" and one of the units pt,
// bp, mm, cm, in, pc, dd, cc, sp (any case, as TeX reads them). "true" is
// taken as it stands: the paper is the size the document says, whatever
// the magnification. Nothing for another form, or a side not greater than
// zero or greater than kMaxPaperSideBp.
std::optional<PaperSize> ParsePaperSizeSpecial(std::string_view special);

// Whether the special is "landscape" (blanks around it allowed), which in
// dvips swaps the paper's width and height.
bool IsLandscapeSpecial(std::string_view special);

}  // namespace mox
