// The page view during printing and print preview: the view put aside and
// given back, the stored pages scanned one by one, and each band of a page
// drawn at the printer's scale in the middle of the printable area.
#include "previewer/shell/shell_texts.h"
#include "previewer/startup/startup_texts.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/shell/page_view.h"

namespace mox {

void PageView::BeginPrintRun(std::int32_t mode) {
  host_.ShowMainFrame(false);
  // The printer scans into the document's buffer: no kept page is trusted.
  kept_.Clear();
  PrintMode = mode;
  print_saved_zoom_ = Zoom();
  Zoom() = -1.0;
}

void PageView::EndPrintRun() {
  // The printer had the page buffer: the page shown is scanned again.
  const std::int32_t page = CurrentPage;
  CurrentPage = -1;
  GotoPage(page);
  PrintMode = 0;
  Zoom() = -1.0;
  SetZoom(print_saved_zoom_);
  if (!IsDocumentOpen()) Zoom() = print_saved_zoom_;
  // Laid out again for the continuous view, which a print run sets aside.
  if (IsDocumentOpen() && ContinuousView()) ScrollToPage(CurrentPage);
  host_.ShowMainFrame(true);
}

bool PageView::ScanPrintedPage(int n, bool preview) {
  const std::optional<std::vector<std::int32_t>>& stored = StoredPrintPages;
  if (!IsDocumentOpen() || !stored || n < 1) return false;
  if (preview) {
    if (n != 1 || stored->empty()) return false;
  } else {
    if (n == 1) printed_pages_ = stored->size();
    if (static_cast<std::size_t>(n) > printed_pages_ || static_cast<std::size_t>(n) > stored->size()) {
      return false;
    }
  }
  if (ScanPage(doc_, (*stored)[static_cast<std::size_t>(n - 1)]) != 0) {
    // The scanner closed the document and said why; the view follows.
    UnloadDocument();
    PageReady = 1;
    return false;
  }
  return true;
}

PrintBox PageView::DrawPrintedBand(RenderDevice& device, const PixelRect& band,
                                   const PrintTarget& target) {
  const PrintBox box =
      PageBoxOnPaper(doc_.Dvi, target.Scale, target.PrintableWidth, target.PrintableHeight);
  const double q = target.PreviewScale;
  OffsetX = static_cast<std::int32_t>(box.X0 * q + 0.5);
  OffsetY = static_cast<std::int32_t>(box.Y0 * q + 0.5);
  const double zoom = target.Scale * q;
  if (Zoom() != zoom) {
    Zoom() = zoom;
    DiscardZoomImages(doc_);
  }
  // Paper wants no frame round the page.
  DrawPage(doc_, device, band, 1.0, {zoom, OffsetX, OffsetY, true});
  return box;
}

}  // namespace mox
