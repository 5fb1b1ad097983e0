// Which PK fonts of a DVI file the previewer will look for, and whether it
// will find them: the same resolutions and file names as its PK loader.
#pragma once

#include <string>
#include <vector>

#include "previewer/fonts/font_document.h"

namespace mox::makepk {

struct WantedFont {
  std::string Name;
  int Resolution;
};

// The PK fonts of the open document at the resolution the previewer asks
// for, each name and resolution once, in font table order: all of them, or
// with used_only those whose characters the pre-scan found.
std::vector<WantedFont> WantedFonts(const FontDocument& doc, bool used_only);

// The file the previewer would open for the font (resolution - 1, then the
// resolution, then + 1; each with the full name, then the 8-character
// name), or empty when there is none. PreparePkFileNames must have run.
std::string ExistingPkFile(const PkPathFormat& paths, const WantedFont& font);

// Where a made font goes: the file the previewer tries for its resolution
// with the full name.
std::string PkTarget(const PkPathFormat& paths, const WantedFont& font);

}  // namespace mox::makepk
