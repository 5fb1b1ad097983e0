#include "previewer/shell/mox_printout.h"

#include "platform/win32/gdi.h"
#include "previewer/shell/gdi_render_device.h"

namespace mox {

bool TMOXWindowPrintout::HasPage(int page) {
  return view_.ScanPrintedPage(page, preview_page_ != nullptr);
}

void TMOXWindowPrintout::PrintPage(int, const RECT& band) {
  if (Dc == nullptr) return;
  PageView::PrintTarget target;
  target.Scale = PrinterScale(view_.Settings(), printer_dots_.x, printer_dots_.y);
  target.PrintableWidth = PageSize.cx;
  target.PrintableHeight = PageSize.cy;
  if (preview_page_ != nullptr && PageSize.cx > 0) {
    // Preview pixels a printer pixel: the page window holds the printable
    // area's width.
    RECT client{};
    GetClientRect(preview_page_->Handle(), &client);
    target.PreviewScale = static_cast<double>(client.right) / PageSize.cx;
  }
  GdiRenderDevice device(Dc);
  const PrintBox box =
      view_.DrawPrintedBand(device, {band.left, band.top, band.right, band.bottom}, target);
  if (preview_page_ != nullptr) OutlinePageBox(box, target.PreviewScale);
}

void TMOXWindowPrintout::OutlinePageBox(const PrintBox& box, double q) {
  // A red dotted line along each side of the page box, across the window,
  // combined with the page by the mask pen (ink stays ink).
  const auto at = [q](double printer_pixels) { return static_cast<int>(printer_pixels * q + 0.5); };
  const int left = at(box.X0);
  const int right = at(box.X0 + box.Width - 1.0);
  const int top = at(box.Y0);
  const int bottom = at(box.Y0 + box.Height - 1.0);
  win::Pen pen(CreatePen(PS_DOT, 1, RGB(255, 0, 0)));
  win::Selection selected(Dc, pen.Get());
  const int old_mode = SetROP2(Dc, R2_MASKPEN);
  for (int y : {top, bottom}) {
    MoveToEx(Dc, -30000, y, nullptr);
    LineTo(Dc, 30000, y);
  }
  for (int x : {left, right}) {
    MoveToEx(Dc, x, -30000, nullptr);
    LineTo(Dc, x, 30000);
  }
  SetROP2(Dc, old_mode);
}

}  // namespace mox
