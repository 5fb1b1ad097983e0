// The abort protocol of the document operations. A fatal error found at any
// depth of opening, pre-scanning, loading fonts or scanning a page throws
// DocumentAbort; the operation that was called catches it once, closes the
// document, shows the message (unless it is empty) and returns 1.
#pragma once

#include <new>
#include <string>

namespace mox {

struct DocumentAbort {
  std::string Message;  // in the current language; empty: nothing is shown
};

// Throws DocumentAbort with the message.
[[noreturn]] void AbortDocument(std::string message);

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

}  // namespace mox
