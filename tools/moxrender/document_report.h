// What moxrender prints about an open document: its header values, page
// index and fonts, and the page items of a scanned page.
#pragma once

#include <cstdio>

#include "previewer/render/preview_document.h"

namespace mox {

void PrintDocumentInfo(const PreviewDocument& doc, std::FILE* out);
// The page buffer of the page last scanned, page being its 0-based index.
void PrintPageItems(const PreviewDocument& doc, std::FILE* out, int page);

}  // namespace mox
