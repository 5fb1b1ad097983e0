// The characters beyond GB 2312 that no font draws: the moxuc fonts' slots
// have no outline font file, so a character is drawn by its ziti's
// TrueType face or not at all. One that is not drawn shows as an empty box
// of its cell, in its place, and the load run names every such character
// once, in one warning.
#pragma once

#include <cstdint>

#include "previewer/fonts/font_registry.h"

namespace mox {

struct FontDocument;

// A cell of width by height pixels with a one-pixel frame: the empty box.
GlyphBitmap EmptyBox(std::int32_t width, std::int32_t height);

// Notes a character of a slot beyond GB 2312 that is shown as a box.
void NoteMissingCharacter(FontDocument& doc, char32_t character);

// The glyphs of the slots beyond GB 2312 whose ziti no TrueType face
// serves: the carry-over's, else empty boxes (part of the load run).
void BoxUnservedCharacters(FontDocument& doc);

// The warning that names the characters noted in this run, once each.
void WarnOfMissingCharacters(FontDocument& doc);

}  // namespace mox
