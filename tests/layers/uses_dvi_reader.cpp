// Compiled by the layer tests only: a source that uses the DVI reader builds
// in the DVI layer and is refused in the fonts layer below it.
#include "previewer/dvi/dvi_document.h"

int UsesTheDviReader(mox::ScanDocument& doc) { return mox::OpenDviFile(doc, "paper.dvi"); }
