#include "previewer/dvi/document_operation.h"

#include "previewer/dvi/dvi_document.h"
#include "previewer/fonts/load_run.h"

namespace mox {

int CloseAfterAbort(ScanDocument& doc, const DocumentAbort& abort) {
  CloseDviFile(doc);
  if (!abort.Message.empty()) doc.Report.Error(abort.Message);
  return 1;
}

int LoadFonts(ScanDocument& doc) {
  return GuardDocumentOperation(doc, [&doc] {
    RunLoad(doc);
    return 0;
  });
}

}  // namespace mox
