#include "tools/makepk/wanted_fonts.h"

#include <algorithm>

#include "platform/file_system.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/fonts/pk_font.h"

namespace mox::makepk {

std::vector<WantedFont> WantedFonts(const FontDocument& doc, bool used_only) {
  const FontRegistry& fonts = doc.Fonts;
  std::vector<WantedFont> wanted;
  for (std::size_t i = 0; i < fonts.PkFonts.size(); ++i) {
    // A virtual font has no PK file: the fonts it is made of follow it in
    // the table.
    if (fonts.PkFonts[i].Virtual >= 0) continue;
    if (used_only && (i + 1 >= fonts.PkGlyphBounds.size() ||
                      fonts.PkGlyphBounds[i] == fonts.PkGlyphBounds[i + 1])) {
      continue;
    }
    const WantedFont font{fonts.PkFonts[i].Name, PkResolution(doc, i)};
    const bool seen = std::any_of(wanted.begin(), wanted.end(), [&](const WantedFont& other) {
      return other.Name == font.Name && other.Resolution == font.Resolution;
    });
    if (!seen) wanted.push_back(font);
  }
  return wanted;
}

std::string ExistingPkFile(const PkPathFormat& paths, const WantedFont& font) {
  for (const std::string& path : PkFileCandidates(paths, font.Resolution, font.Name)) {
    if (platform::Files().Exists(path)) return path;
  }
  return std::string();
}

std::string PkTarget(const PkPathFormat& paths, const WantedFont& font) {
  return PkFileName(paths, font.Resolution, font.Name, false);
}

}  // namespace mox::makepk
