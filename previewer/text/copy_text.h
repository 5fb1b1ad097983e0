// The text of a dragged rectangle of a page: its characters whose boxes
// meet the rectangle, in reading order, spaced and broken into lines as
// the page's plain text is.
#pragma once

#include <string>

#include "previewer/text/page_text.h"

namespace mox {

// UTF-8, without a line break after the last line; empty when no
// character meets the rectangle (page pixels, as the boxes are).
std::string CopyText(const PageText& page, const TextBox& rectangle);

// The plain text of the whole page, UTF-8, each line ended by "\n".
std::string PlainText(const PageText& page);

}  // namespace mox
