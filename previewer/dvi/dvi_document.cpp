#include "previewer/dvi/dvi_document.h"

#include <cstdint>

#include "previewer/dvi/bmf_image.h"
#include "previewer/base/document_abort.h"
#include "previewer/dvi/page_buffer.h"
#include "previewer/dvi/page_commands.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/startup/options.h"
#include "previewer/startup/page_selection.h"
#include "previewer/dvi/dvi_texts.h"
#include "previewer/dvi/scan_document.h"

namespace mox {

void CloseDviFile(ScanDocument& doc) {
  DviDocument& document = doc.Dvi;
  document.Reader.Close();

  // Everything the later stages build for the document is released here,
  // in this one place: the open image, the page index and page ranges, the
  // page buffer with its side areas and the scan state, then the font tables
  // with every glyph record and bitmap.
  CloseImage(doc.Image);
  document.Pages.clear();
  document.Pages.shrink_to_fit();
  document.SourceMarks = std::vector<SourceMark>();
  document.SourceFiles = std::vector<std::string>();
  doc.Selection = PageSelection();
  doc.Page = PageBuffer{};
  doc.Scan = ScanState{};
  doc.Fonts = FontRegistry{};

  document.Base = 0;
  document.ArchiveEntryCount = 0;
  document.Archive = false;
  document.DviLength = 0;
  document.Comment.clear();
  document.Mer2Dvi = false;
  document.Boundary1 = kFirstLevel1Code;
  document.Boundary2 = kFirstLevel2Code;
  document.Boundary3 = kEndOfCodes;
  document.Num = 0;
  document.Den = 0;
  document.Magnification = static_cast<std::uint32_t>(doc.Settings.Magnification);
  document.MaxHeightDepth = 0;
  document.MaxWidth = 0;
  document.StackSize = 0;
  document.PageCountInFile = 0;
  document.ConversionX = 0.0;
  document.ConversionY = 0.0;
  document.DummyFont = -1;
  document.PaperWidthBp = document.PaperHeightBp = 0.0;
  document.Landscape = false;
  document.PaperContentWidth = document.PaperContentHeight = 0;
  doc.PageStarts = std::vector<PageColors>();
  doc.Unhandled = UnhandledSpecials{};
  document.Loaded = false;
}

void ReopenDviFile(ScanDocument& doc) {
  DviDocument& document = doc.Dvi;
  if (document.Reader.IsOpen()) return;
  if (!document.Reader.Open("", document.Name)) {
    AbortDocument(doc.Say(kCannotReopenDvi));
  }
  document.Reader.SetTruncationMessage(doc.Say(kInvalidDvi));
  // The file may have been rewritten; it is read as far as the DVI data the
  // document was opened with.
  document.Reader.LimitTo(document.Base + document.DviLength);
}

}  // namespace mox
