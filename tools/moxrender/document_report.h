// What moxrender prints about an open document: its header values, page
// index and fonts, and the page items of a scanned page.
#pragma once

#include <cstdio>

namespace mox {

void PrintDocumentInfo(std::FILE* out);
// The page buffer of the page last scanned, page being its 0-based index.
void PrintPageItems(std::FILE* out, int page);

}  // namespace mox
