// EPS figures on a scanned page: a figure special becomes an item of the
// rectangle dvips would place the figure in, with its picture from the
// document's figure cache; what could not be drawn is named in one warning
// after the scan, each file once per document.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "previewer/base/page_item.h"

namespace mox {

struct ScanDocument;

// The figure's item at the current point (pixels at the font resolution,
// before rounding),
// its picture added to the page buffer; nothing for a special that cannot
// be read or placed (noted for the warning).
std::optional<PageItem> FigureItem(ScanDocument& doc, std::string_view special, double x,
                                   double y);

// Shows the figures noted since the last call that no warning named yet.
void WarnOfFigureProblems(ScanDocument& doc);

}  // namespace mox
