// The frame a page is drawn in: the postamble's page with the margins the
// user set, or the paper a "papersize=" special asks for, with TeX's origin
// one inch in from its left and top edges as dvips puts it.
#pragma once

namespace mox {

struct DocumentCore;

// Margins in pixels at zoom 1.
struct PageMargins {
  double X;
  double Y;
};

PageMargins PageMarginsOf(const DocumentCore& doc);

// After the pre-scan: the page inside the paper's margins, from the paper
// size it found (sides swapped for "landscape"); nothing without one.
void SetPaperFrame(DocumentCore& doc);

}  // namespace mox
