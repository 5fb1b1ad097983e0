// The characters beyond GB 2312 that no font draws: neither their ziti's
// TrueType face nor an outline font file of ucfonts.def. One that is not
// drawn shows as an empty box of its cell, in its place, and the load run
// names every such character once, in one warning.
#pragma once

#include <cstdint>

#include "previewer/fonts/font_registry.h"

namespace mox {

struct FontDocument;

// A cell of width by height pixels with a one-pixel frame: the empty box.
GlyphBitmap EmptyBox(std::int32_t width, std::int32_t height);

// The glyphs of the slots beyond GB 2312 that neither a TrueType face nor
// an outline font drew: the carry-over's, else empty boxes (part of the
// load run).
void BoxUndrawnCharacters(FontDocument& doc);

// The warning that names the characters noted in this run, once each.
void WarnOfMissingCharacters(FontDocument& doc);

}  // namespace mox
