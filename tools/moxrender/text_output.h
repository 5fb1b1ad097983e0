// moxrender --text: the plain text of a page as UTF-8, as the previewer
// reads it for finding and copying.
#pragma once

#include <cstdio>

#include "previewer/dvi/scan_document.h"

namespace mox {

// Writes the text of page `page` (0-based), each line ended by a line
// break; false, after a message on standard error, when the page cannot
// be read. With `links`, a line a rectangle of each link follows the
// text: "link TARGET LEFT TOP RIGHT BOTTOM" in page pixels, an internal
// target with "#" before its name.
bool PrintPageText(ScanDocument& doc, std::FILE* out, int page, bool links = false);

}  // namespace mox
