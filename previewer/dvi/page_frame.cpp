#include "previewer/dvi/page_frame.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "previewer/startup/dimension.h"
#include "previewer/startup/document_core.h"

namespace mox {

PageMargins PageMarginsOf(const DocumentCore& doc) {
  const Options& options = doc.Settings;
  // The paper's margin is an inch as it stands, whatever the magnification.
  if (doc.Dvi.PaperContentWidth > 0) return {options.ResolutionX, options.ResolutionY};
  return {DimensionToPixels(options.MarginX, options.ResolutionX),
          DimensionToPixels(options.MarginY, options.ResolutionY)};
}

void SetPaperFrame(DocumentCore& doc) {
  DviDocument& document = doc.Dvi;
  document.PaperContentWidth = document.PaperContentHeight = 0;
  double width = document.PaperWidthBp;
  double height = document.PaperHeightBp;
  if (!(width > 0.0 && height > 0.0)) return;
  if (!(document.ConversionX > 0.0 && document.ConversionY > 0.0)) return;
  if (document.Landscape) std::swap(width, height);
  // The paper in whole pixels (its sides are often given in TeX points
  // that come a hair short of the big points meant) less the two one-inch
  // margins, in DVI units rounded up so that they come back as those pixels.
  const auto inside = [](double side_bp, double resolution, double conversion) {
    const double pixels = std::max(std::round(side_bp / 72.0 * resolution) - 2.0 * resolution, 1.0);
    return static_cast<std::int32_t>(std::clamp(std::ceil(pixels / conversion), 1.0, 2147483647.0));
  };
  const Options& options = doc.Settings;
  document.PaperContentWidth = inside(width, options.ResolutionX, document.ConversionX);
  document.PaperContentHeight = inside(height, options.ResolutionY, document.ConversionY);
}

}  // namespace mox
