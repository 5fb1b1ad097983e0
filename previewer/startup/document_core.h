// What every part of one open document shares: the host's reporter, the
// settings and the page selection it was opened with (values: a second
// document may be opened with others), and the reader's state. The font,
// scan and render layers extend it (FontDocument, ScanDocument,
// PreviewDocument); a document object is used from one thread.
#pragma once

#include "previewer/base/document.h"
#include "previewer/base/reporter.h"
#include "previewer/startup/options.h"
#include "previewer/startup/page_selection.h"

namespace mox {

struct DocumentCore {
  DocumentCore(Reporter& report, Options settings)
      : Report(report), Settings(std::move(settings)) {}
  DocumentCore(const DocumentCore&) = delete;
  DocumentCore& operator=(const DocumentCore&) = delete;

  Reporter& Report;
  Options Settings;
  PageSelection Selection;
  DviDocument Dvi;

  const char* Say(const Bilingual& text) const { return Report.Say(text); }
};

}  // namespace mox
