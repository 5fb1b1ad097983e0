// An open document as the scanner sees it: its fonts (FontDocument) with
// the scan state, the page buffer of the page last scanned and the image
// held open between the scanner and the renderer. The operations that
// open, pre-scan, load and scan it (dvi_document.h, page_scanner.h,
// document_operation.h) are its entry points: each catches the document's
// aborts, closes the document and gives 1.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "previewer/dvi/bmf_image.h"
#include "previewer/dvi/driver_specials.h"
#include "previewer/dvi/dvips_color.h"
#include "previewer/dvi/page_buffer.h"
#include "previewer/dvi/page_commands.h"
#include "previewer/fonts/font_document.h"

namespace mox {

// The colours in force where a page starts.
struct PageColors {
  ColorStack Colors;
  RgbColor Background{255, 255, 255};
};

struct ScanDocument : FontDocument {
  using FontDocument::FontDocument;

  ScanState Scan;
  PageBuffer Page;
  ImageState Image;
  // Per page of the page index, recorded by the pre-scan.
  std::vector<PageColors> PageStarts;
  // The specials of the document that are not drawn, found by the
  // pre-scan; and the kinds already named in a warning about this file, so
  // that a reload names only new ones (opening a file anew forgets them).
  UnhandledSpecials Unhandled;
  std::set<std::string> ToldSpecialKinds;
  // The figures' pictures, kept from load to load, and the figure files a
  // warning has named for this file.
  FigureCache Figures;
  std::set<std::string> ToldFigures;
  std::vector<std::pair<std::string, FigureProblem>> FigureNotes;  // of the scan
};

}  // namespace mox
