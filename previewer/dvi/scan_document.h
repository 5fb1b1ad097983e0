// An open document as the scanner sees it: its fonts (FontDocument) with
// the scan state, the page buffer of the page last scanned and the image
// held open between the scanner and the renderer. The operations that
// open, pre-scan, load and scan it (dvi_document.h, page_scanner.h,
// document_operation.h) are its entry points: each catches the document's
// aborts, closes the document and gives 1.
#pragma once

#include "previewer/dvi/bmf_image.h"
#include "previewer/dvi/page_buffer.h"
#include "previewer/dvi/page_commands.h"
#include "previewer/fonts/font_document.h"

namespace mox {

struct ScanDocument : FontDocument {
  using FontDocument::FontDocument;

  ScanState Scan;
  PageBuffer Page;
  ImageState Image;
};

}  // namespace mox
