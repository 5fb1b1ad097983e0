// The previewer's printout: the stored pages scanned one by one and drawn
// into the printer's context band by band at the printer's resolution, or,
// in a preview, the first of them drawn scaled into the preview page with
// the page box outlined in red.
#pragma once

#include <windows.h>

#include "platform/win32/framework/printout.h"
#include "platform/win32/framework/window.h"
#include "previewer/shell/page_view.h"

namespace mox {

class TMOXWindowPrintout : public win::TPrintout {
 public:
  // printer_dots: the printer's LOGPIXELSX and LOGPIXELSY.
  TMOXWindowPrintout(PageView& view, POINT printer_dots)
      : view_(view), printer_dots_(printer_dots) {}

  // In a preview: the window of the preview page (none when printing).
  void SetPreviewPage(const win::TWindow* page) { preview_page_ = page; }
  bool HasPage(int page) override;
  void PrintPage(int page, const RECT& band) override;

 private:
  void OutlinePageBox(const PrintBox& box, double q);

  PageView& view_;
  POINT printer_dots_;
  const win::TWindow* preview_page_ = nullptr;
};

}  // namespace mox
