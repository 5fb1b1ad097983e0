#include "previewer/base/document.h"

namespace mox {

DviDocument& Document() {
  static DviDocument document;
  return document;
}

}  // namespace mox
