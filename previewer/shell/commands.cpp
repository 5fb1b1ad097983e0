#include "previewer/shell/commands.h"

namespace mox {

bool IsDocumentCommand(int id) {
  const int english = EnglishCommandId(id);
  return english == CM_CLOSE || english == CM_PRINT ||
         (english >= CM_ZOOMOUT && english <= CM_ZOOMFITPAGE) ||
         (english >= CM_PREVPAGE && english <= CM_ENTERPAGE) ||
         (english >= CM_VIEWLEFT && english <= CM_VIEWBOTTOMRIGHT) ||
         (english >= CM_FIND && english <= CM_COPY);
}

bool IsCommandEnabled(int id, bool document_open) {
  return document_open || !IsDocumentCommand(id);
}

}  // namespace mox
