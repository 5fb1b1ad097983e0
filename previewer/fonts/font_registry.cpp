#include "previewer/fonts/font_registry.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "previewer/base/document_abort.h"
#include "previewer/base/nearest_int.h"
#include "previewer/fonts/font_document.h"
#include "previewer/fonts/fonts_texts.h"

namespace mox {
namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

// The checksum of a Chinese font carries the character height in units of
// 2^-20 pt; this turns it into inches.
constexpr double kInchesPerChecksumUnit = 1.0 / (72.27 * 1048576.0);

}  // namespace

bool IsDummyFontName(const std::string& name) { return EqualIgnoringCase(name, "ccdummy"); }

bool IsChineseFontName(const std::string& name) {
  return name.size() >= 5 && (EqualIgnoringCase(std::string_view(name).substr(0, 5), "ccfnt") ||
                              IsUnicodeChineseFontName(name));
}

bool IsUnicodeChineseFontName(const std::string& name) {
  return name.size() >= 5 && EqualIgnoringCase(std::string_view(name).substr(0, 5), "moxuc");
}

void RegisterFontDefinition(FontDocument& doc, std::uint32_t number, std::int32_t checksum,
                            std::int32_t scaled_size, std::int32_t design_size,
                            const std::string& name) {
  if (number > 255) AbortDocument(doc.Say(kFontNumberTooLarge));
  DviDocument& document = doc.Dvi;
  if (IsDummyFontName(name)) {
    document.DummyFont = static_cast<std::int32_t>(number);
    return;
  }
  FontRegistry& fonts = doc.Fonts;
  if (!IsChineseFontName(name)) {
    PkFont font;
    font.Number = static_cast<std::uint8_t>(number);
    font.Checksum = checksum;
    font.ScaledSize = scaled_size;
    font.DesignSize = design_size;
    font.Name = name;
    fonts.PkFonts.push_back(std::move(font));
    return;
  }
  ChineseFont font;
  font.Number = static_cast<std::uint8_t>(number);
  font.PixelWidth = std::max(1, NearestInt(design_size * document.ConversionX));
  const double height_inches = checksum * kInchesPerChecksumUnit;
  font.PixelHeight = std::max(
      1, NearestInt(height_inches * doc.Settings.ResolutionY * document.Magnification / 1000.0));
  font.DesignSize = design_size;
  // A bare "ccfnt" has no sixth letter and keeps the user font's "@".
  if (name.size() > 5) font.Ziti = AsciiUpper(name[5]);
  font.Unicode = IsUnicodeChineseFontName(name);
  fonts.ChineseFonts.push_back(font);
}

void SortFontTables(FontRegistry& fonts) {
  // Stable, so fonts that compare equal keep the order of the postamble.
  std::stable_sort(fonts.PkFonts.begin(), fonts.PkFonts.end(),
                   [](const PkFont& a, const PkFont& b) { return a.Number < b.Number; });
  std::stable_sort(fonts.ChineseFonts.begin(), fonts.ChineseFonts.end(),
                   [](const ChineseFont& a, const ChineseFont& b) {
                     if (a.PixelWidth != b.PixelWidth) return a.PixelWidth > b.PixelWidth;
                     return a.PixelHeight > b.PixelHeight;
                   });
}

int PkResolution(const FontDocument& doc, std::size_t font_index) {
  const PkFont& font = doc.Fonts.PkFonts.at(font_index);
  const double scaled = static_cast<std::uint32_t>(font.ScaledSize);
  const double design = static_cast<std::uint32_t>(font.DesignSize);
  // A design size of 0 cannot scale anything: the font counts as unscaled.
  const double ratio = design != 0.0 ? scaled / design : 1.0;
  const double resolution =
      doc.Settings.ResolutionX * (doc.Dvi.Magnification * 0.001 * ratio) + 0.5;
  if (!(resolution < 2147483647.0)) return 2147483647;
  return static_cast<int>(resolution);
}

int RowCellCode(int slot, std::int32_t code_index) {
  if (IsUnicodeSlot(slot)) return code_index;
  return RowCellOf(LinearCodeOf(slot, code_index));
}

}  // namespace mox
