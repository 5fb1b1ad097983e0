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

  // Selects the pages of a page selection text ("1:3;5").
  void SelectPages(std::string_view text) { Selection = PageSelection(text); }

  // Whether a page is shown: the parity and counting of the settings as
  // they are now, with the ranges of the selection.
  bool IsPageSelected(std::int32_t count0, std::int32_t sequence) const {
    const std::int32_t key = Settings.SequenceMode != 0 ? sequence : count0;
    if (Settings.ParityFilter == 1 && key % 2 == 0) return false;
    if (Settings.ParityFilter == 2 && key % 2 != 0) return false;
    return Selection.Contains(key);
  }
};

}  // namespace mox
