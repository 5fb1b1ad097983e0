// The outline fonts of the characters beyond GB 2312. A slot of these
// characters holds Unicode values, more than one file can hold (a file has
// at most 3760 glyphs), so its fonts are files of Unicode ranges: the header's
// first and last code are the Unicode values of the first and last glyph.
// ucfonts.def in the Chinese font folder names them, one a line:
//
//   LETTERS FILE      the ziti letters ("@", "A" to "Z", or "*" for all of
//                     them) whose characters the file draws
//
// Blank lines and lines starting with "%" are skipped. A ziti that a
// TrueType face serves takes from these files the characters its face
// lacks. Without the file these characters are drawn by their ziti's face
// or as empty boxes.
#pragma once

#include <string>
#include <vector>

namespace mox {

struct FontDocument;

inline constexpr const char* kUnicodeDefinitionsFile = "ucfonts.def";

// Reads ucfonts.def into the registry's unicode definitions; a line that is
// not letters and a file name is skipped, its problem added to `problems`.
void ReadUnicodeDefinitions(FontDocument& doc, std::vector<std::string>& problems);

// Fills the glyphs of the slots beyond GB 2312 that no TrueType face drew
// from the files of their ziti (part of the load run). A file that
// cannot be opened is added to `problems` once; its characters stay empty
// for the boxes that follow.
void LoadUnicodeOutlineSlots(FontDocument& doc, const std::string& chinese_directory,
                             std::vector<std::string>& problems);

}  // namespace mox
