// The document operations and the one place their aborts are caught.
// Opening, pre-scanning, loading the fonts and scanning a page each run as
// one operation on a ScanDocument: a DocumentAbort thrown at any depth
// inside it closes the whole document (nothing partly open survives), is
// reported as an error unless its message is empty, and the operation
// returns 1.
#pragma once

#include <new>

#include "previewer/base/document_abort.h"
#include "previewer/dvi/dvi_texts.h"
#include "previewer/dvi/scan_document.h"

namespace mox {

// What the operation that was called does with an abort: close the document,
// report the message unless it is empty, and give 1.
int CloseAfterAbort(ScanDocument& doc, const DocumentAbort& abort);

// Runs body (which gives 0 or 1) as one operation on doc. An allocation
// that fails anywhere inside it aborts with the memory message.
template <typename Body>
int GuardDocumentOperation(ScanDocument& doc, Body&& body) {
  try {
    return body();
  } catch (const DocumentAbort& abort) {
    return CloseAfterAbort(doc, abort);
  } catch (const std::bad_alloc&) {
    return CloseAfterAbort(doc, DocumentAbort{doc.Say(kMemoryError)});
  }
}

// The load run (previewer/fonts/load_run.h) as a document operation: 0, or
// 1 with the document closed.
int LoadFonts(ScanDocument& doc);

}  // namespace mox
