// What the TrueType fonts dialog shows and does: one line a ziti of the face
// table (the punctuation set "@" and the letters A to Z) naming the face
// that draws it, and the changes Define and Remove make to the table.
#pragma once

#include <string>
#include <vector>

#include "platform/glyph_rasterizer.h"

#include "previewer/base/bilingual.h"
#include "previewer/fonts/face_table.h"

namespace mox {

// The line of table entry 0..26: "BiaoDian: " or " \\ziti{A}(\\songti): "
// and so on, then "%s, mag=%0.4lf" when the entry is in use.
std::string ZitiLine(const FaceTable& table, int entry, Language language);
std::vector<std::string> ZitiLines(const FaceTable& table, Language language);

// The face the chooser starts from for an entry: its font, 60 high, width 0.
platform::LogFontA ChooserStart(const FaceTable& table, int entry);

// The chosen face for every selected entry, in use (magnification 1.0)
// when it has a name, else out of use (-1.0).
void DefineFaces(FaceTable& table, const std::vector<int>& entries,
                 const platform::LogFontA& chosen);
// Takes the selected entries out of use.
void RemoveFaces(FaceTable& table, const std::vector<int>& entries);

}  // namespace mox
