#include "previewer/dvi/document_operation.h"

#include "previewer/dvi/dvi_document.h"
#include "previewer/fonts/load_run.h"
#include "previewer/dvi/process_document.h"

namespace mox {

int CloseAfterAbort(const DocumentAbort& abort) {
  CloseDviFile();
  if (!abort.Message.empty()) ShowError(abort.Message);
  return 1;
}

std::string MemoryErrorMessage() { return Tr("内存申请错", "Memory allocation error"); }

int LoadFonts() {
  return GuardDocumentOperation([] {
    RunLoad();
    return 0;
  });
}

}  // namespace mox
