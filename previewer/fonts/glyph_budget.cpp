#include "previewer/fonts/glyph_budget.h"

#include <algorithm>
#include <string>

#include "platform/text_format.h"
#include "previewer/base/document_abort.h"
#include "previewer/fonts/font_document.h"
#include "previewer/fonts/fonts_texts.h"

namespace mox {
namespace {

constexpr double kPointsPerInch = 72.27;

unsigned long Megabytes(std::uint64_t bytes) {
  return static_cast<unsigned long>((bytes + (1u << 20) - 1) >> 20);
}

// The bytes of a bitmap of a side too large for any source: more than the
// budget, so that it is refused with the others.
constexpr std::uint64_t kTooLarge = std::uint64_t{1} << 62;

std::uint64_t BitmapBytes(std::int64_t width, std::int64_t height) {
  if (width > kMaxGlyphSide || height > kMaxGlyphSide) return kTooLarge;
  return static_cast<std::uint64_t>((std::max<std::int64_t>(width, 1) + 7) / 8) *
         static_cast<std::uint64_t>(std::max<std::int64_t>(height, 1));
}

// What a font needs, and how it is named in the message.
struct FontNeed {
  std::uint64_t Bytes = 0;
  std::string Font;
  double Points = 0;
  std::int64_t Pixels = 0;  // its characters' height
};

// A Chinese font's size in points: its design size (the advance of every
// character) at the document's magnification.
double ChinesePoints(const DviDocument& document, const ChineseFont& font) {
  return static_cast<double>(font.DesignSize) * document.Num / document.Den * 0.00001 / 2.54 *
         kPointsPerInch * document.Magnification / 1000.0;
}

[[noreturn]] void Refuse(const FontDocument& doc, const FontNeed& need, std::uint64_t total) {
  const Options& options = doc.Settings;
  const int resolution = static_cast<int>(std::max(options.ResolutionX, options.ResolutionY));
  if (need.Pixels > kMaxGlyphSide) {
    AbortDocument(Format(doc.Say(kCharactersTooLarge),
                         need.Font.c_str(), need.Points, resolution,
                         static_cast<long>(need.Pixels), static_cast<int>(kMaxGlyphSide)));
  }
  AbortDocument(Format(doc.Say(kDocumentTooLarge),
                       Megabytes(total), Megabytes(kGlyphBitmapBudget), need.Font.c_str(),
                       need.Points, resolution, Megabytes(need.Bytes)));
}

}  // namespace

void CheckGlyphBudget(const FontDocument& doc) {
  const FontRegistry& fonts = doc.Fonts;
  const Options& options = doc.Settings;
  const double resolution = std::max(options.ResolutionX, options.ResolutionY);
  std::uint64_t total = 0;
  FontNeed largest;
  const auto weigh = [&](FontNeed need) {
    total = std::min(total + need.Bytes, kTooLarge);
    if (need.Bytes > largest.Bytes || need.Pixels > kMaxGlyphSide) largest = std::move(need);
  };
  for (std::size_t font = 0; font < fonts.PkFonts.size(); ++font) {
    const std::uint32_t glyphs = fonts.PkGlyphBounds[font + 1] - fonts.PkGlyphBounds[font];
    if (glyphs == 0) continue;
    const PkFont& pk = fonts.PkFonts[font];
    const double points = PkFontPoints(doc.Dvi, pk);
    const double em = points / kPointsPerInch * resolution;
    const auto side = static_cast<std::int64_t>(std::min(em + 1.0, 1e15));
    weigh({std::min(BitmapBytes(side, side) * glyphs, kTooLarge), pk.Name, points, side});
  }
  std::vector<FontNeed> chinese(fonts.ChineseFonts.size());
  for (int slot = 0; slot < kAllSlotCount; ++slot) {
    for (const ChineseGlyph& glyph : fonts.Slots[static_cast<std::size_t>(slot)].Glyphs) {
      const ChineseFont& font = fonts.ChineseFonts[glyph.Font];
      const GlyphSize size = ChineseGlyphSize(doc, slot, font.PixelWidth, font.PixelHeight);
      FontNeed& need = chinese[glyph.Font];
      need.Bytes = std::min(need.Bytes + BitmapBytes(size.Width, size.Height), kTooLarge);
      need.Pixels = std::max<std::int64_t>({need.Pixels, size.Width, size.Height});
      need.Points = ChinesePoints(doc.Dvi, font);
      need.Font = Format(font.Unicode ? "moxuc (ziti %c)" : "ccfnt (ziti %c)", font.Ziti);
    }
  }
  for (FontNeed& need : chinese) {
    if (need.Bytes > 0) weigh(std::move(need));
  }
  if (largest.Pixels > kMaxGlyphSide || total > kGlyphBitmapBudget) Refuse(doc, largest, total);
}

void ChargeGlyphBytes(FontDocument& doc, std::size_t bytes, const char* font) {
  FontRegistry& fonts = doc.Fonts;
  if (bytes > kGlyphBitmapBudget - std::min(fonts.GlyphBytes, kGlyphBitmapBudget)) {
    AbortDocument(Format(doc.Say(kBudgetSpent),
                         Megabytes(kGlyphBitmapBudget), font));
  }
  fonts.GlyphBytes += bytes;
}

}  // namespace mox
