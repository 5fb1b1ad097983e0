// What a document may take for its characters, whatever sizes its file
// writes: the glyph bitmaps of every source (PK, Chinese outline,
// TrueType) together, and the renderer's zoomed images of them. A document
// whose characters need more is refused before the load run takes the
// memory, with the font that needs most named; glyphs made on the way are
// counted against the same budget, and a zoomed image that does not fit is
// drawn without being kept.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mox {

struct FontDocument;

// Glyph bitmaps of one document; with the zoomed images, and a reload's
// carry-over holding the glyphs of the load before, a document stays well
// within what the 32-bit program can address.
inline constexpr std::size_t kGlyphBitmapBudget = std::size_t{96} << 20;
inline constexpr std::size_t kZoomImageBudget = std::size_t{64} << 20;

// The pre-scan's marks weighed: every marked glyph at the size its font
// gives it (a PK glyph as an em square). Aborts the document when a
// glyph would be larger than any source makes or all of them more than
// the budget; no glyph is made before.
void CheckGlyphBudget(const FontDocument& doc);

// A glyph of `bytes` about to be kept in its record (after its source made
// it): aborts the document when the budget is spent; `font` names it.
void ChargeGlyphBytes(FontDocument& doc, std::size_t bytes, const char* font);

}  // namespace mox
