// The widths of a font that has no glyphs: when neither a PK file nor a
// virtual font serves a font, its TFM file still gives each character its
// advance, so that the rest of the line stays where TeX put it.
#pragma once

#include <cstddef>

namespace mox {

struct FontDocument;

// Sets the advance of every glyph record of PK font `font_index` from its
// TFM file (PkFont::MetricFile); false when it has none or the file cannot
// be read (the records keep an advance of 0).
bool TakeMetricWidths(FontDocument& doc, std::size_t font_index);

}  // namespace mox
