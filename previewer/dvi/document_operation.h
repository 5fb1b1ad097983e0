// The document operations and the one place their aborts are caught.
// Opening, pre-scanning, loading the fonts and scanning a page each run as
// one operation: a DocumentAbort thrown at any depth inside it closes the
// whole document (nothing partly open survives), shows its message unless
// it is empty, and the operation returns 1.
#pragma once

#include <new>
#include <string>

#include "previewer/base/document_abort.h"

namespace mox {

// What the operation that was called does with an abort: close the document,
// show the message unless it is empty, and give 1.
int CloseAfterAbort(const DocumentAbort& abort);

// "Memory allocation error" in the current language.
std::string MemoryErrorMessage();

// Runs body (which gives 0 or 1) as one document operation. An allocation
// that fails anywhere inside it aborts with the memory message.
template <typename Body>
int GuardDocumentOperation(Body&& body) {
  try {
    return body();
  } catch (const DocumentAbort& abort) {
    return CloseAfterAbort(abort);
  } catch (const std::bad_alloc&) {
    return CloseAfterAbort(DocumentAbort{MemoryErrorMessage()});
  }
}

// The load run (previewer/fonts/load_run.h) as a document operation: 0, or
// 1 with the document closed.
int LoadFonts();

}  // namespace mox
