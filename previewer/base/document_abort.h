// The abort protocol of the document operations. A fatal error found at any
// depth of opening, pre-scanning, loading fonts or scanning a page throws
// DocumentAbort; the document operation that was called catches it once
// (see previewer/dvi/document_operation.h), closes the document, shows the
// message (unless it is empty) and returns 1.
#pragma once

#include <string>

namespace mox {

struct DocumentAbort {
  std::string Message;  // in the document's language; empty: nothing is shown
};

// Throws DocumentAbort with the message.
[[noreturn]] void AbortDocument(std::string message);

}  // namespace mox
