// Which of a document's fonts are virtual, and what every font is made of:
// after the postamble, each font's VF file is read (through the document's
// font file search), the fonts a virtual font is made of are entered into
// the PK font table after the document's own (and theirs, down to
// kMaxVirtualDepth), and each font that is not virtual gets its TFM file,
// whose widths move the pen when its glyphs cannot be had.
#pragma once

#include <string>

namespace mox {

struct FontDocument;

// At most this many fonts are entered for the virtual fonts of a document:
// a broken file cannot fill memory with definitions.
inline constexpr std::size_t kMaxLocalFonts = 1024;

// Resolves the fonts of the open document. Files that cannot be read and
// checksums or design sizes that disagree (compared as DVI drivers compare
// them: only when both are given) are named in one warning at the end.
void ResolveVirtualFonts(FontDocument& doc);

}  // namespace mox
