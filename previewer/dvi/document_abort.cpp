#include "previewer/dvi/document_abort.h"

#include <utility>

#include "previewer/dvi/dvi_document.h"
#include "previewer/startup/language.h"
#include "previewer/startup/messages.h"

namespace mox {

void AbortDocument(std::string message) { throw DocumentAbort{std::move(message)}; }

int CloseAfterAbort(const DocumentAbort& abort) {
  CloseDviFile();
  if (!abort.Message.empty()) ShowError(abort.Message);
  return 1;
}

std::string MemoryErrorMessage() { return Tr("内存申请错", "Memory allocation error"); }

}  // namespace mox
