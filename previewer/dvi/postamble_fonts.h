// The font definitions of the DVI postamble, read twice: once to count the
// fonts of each kind (and find the dummy font), once to fill the tables.
#pragma once

#include <cstdint>

namespace mox {

struct FontDocument;

// Reads the definitions from first_definition (relative to the document's
// base) up to post_post into the font tables, unsorted. Aborts with "Font
// no.>255" or "Forbidden command found in postamble".
void ReadPostambleFonts(FontDocument& doc, std::uint32_t first_definition);

}  // namespace mox
