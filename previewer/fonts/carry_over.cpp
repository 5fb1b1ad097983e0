#include "previewer/fonts/carry_over.h"

#include "previewer/fonts/font_document.h"
#include "previewer/fonts/glyph_budget.h"

#include <algorithm>
#include <new>
#include <tuple>
#include <utility>

namespace mox {
namespace {

auto ChineseKey(const ChineseCarryOver& entry) {
  return std::make_tuple(entry.Slot, entry.CodeIndex, -entry.Width, -entry.Height);
}

void SaveChinese(FontDocument& doc) {
  FontRegistry& fonts = doc.Fonts;
  std::vector<ChineseCarryOver>& table = doc.CarryOver.Chinese;
  for (int slot = 0; slot < kAllSlotCount; ++slot) {
    for (ChineseGlyph& glyph : fonts.Slots[static_cast<std::size_t>(slot)].Glyphs) {
      if (glyph.Bitmap.empty()) continue;
      const ChineseFont& font = fonts.ChineseFonts[glyph.Font];
      const GlyphSize size = ChineseGlyphSize(doc, slot, font.PixelWidth, font.PixelHeight);
      table.push_back({slot, glyph.CodeIndex, size.Width, size.Height, std::move(glyph.Bitmap)});
      glyph.Bitmap = {};
    }
  }
  // Records come slot by slot, by code and font, but two fonts of one code
  // need not come largest first: order them for the binary search.
  std::stable_sort(table.begin(), table.end(), [](const auto& a, const auto& b) {
    return ChineseKey(a) < ChineseKey(b);
  });
}

void SavePk(FontDocument& doc) {
  FontRegistry& fonts = doc.Fonts;
  for (std::size_t font = 0; font < fonts.PkFonts.size(); ++font) {
    PkCarryOver carried;
    carried.Name = fonts.PkFonts[font].Name;
    carried.Resolution = PkResolution(doc, font);
    const std::uint32_t first = fonts.PkGlyphBounds.size() > font ? fonts.PkGlyphBounds[font] : 0;
    const std::uint32_t last =
        fonts.PkGlyphBounds.size() > font + 1 ? fonts.PkGlyphBounds[font + 1] : first;
    for (std::uint32_t i = first; i < last; ++i) {
      carried.Glyphs.push_back(std::move(fonts.PkGlyphs[i]));
      fonts.PkGlyphs[i].Bitmap = {};
    }
    doc.CarryOver.Pk.push_back(std::move(carried));
  }
}

}  // namespace

void SaveCarryOver(FontDocument& doc) {
  DiscardCarryOver(doc.CarryOver);
  try {
    SaveChinese(doc);
    SavePk(doc);
  } catch (const std::bad_alloc&) {
    // What was moved stays usable; the rest will simply be loaded again.
  }
}

GlyphBitmap TakeChineseCarryOver(FontDocument& doc, std::int32_t slot, std::int32_t code_index,
                                 std::int32_t width, std::int32_t height) {
  std::vector<ChineseCarryOver>& table = doc.CarryOver.Chinese;
  const auto key = std::make_tuple(slot, code_index, -width, -height);
  auto found = std::lower_bound(table.begin(), table.end(), key,
                                [](const ChineseCarryOver& entry, const auto& wanted) {
                                  return ChineseKey(entry) < wanted;
                                });
  // Two fonts of one cell size carry the same glyph twice: take one that is
  // still there.
  for (; found != table.end() && ChineseKey(*found) == key; ++found) {
    if (!found->Bitmap.empty()) {
      ChargeGlyphBytes(doc, found->Bitmap.size(), "(carried over)");
      return std::exchange(found->Bitmap, GlyphBitmap{});
    }
  }
  return {};
}

PkCarryOver* FindPkCarryOver(CarryOverTables& tables, int resolution, const std::string& name) {
  for (PkCarryOver& font : tables.Pk) {
    if (font.Resolution == resolution && font.Name == name) return &font;
  }
  return nullptr;
}

bool TakePkCarryOverGlyph(FontDocument& doc, std::uint8_t code, PkCarryOver& font,
                          PkGlyph& glyph) {
  const auto found = std::lower_bound(
      font.Glyphs.begin(), font.Glyphs.end(), code,
      [](const PkGlyph& carried, std::uint8_t wanted) { return carried.Code < wanted; });
  if (found == font.Glyphs.end() || found->Code != code || found->Bitmap.empty()) return false;
  glyph.Width = found->Width;
  glyph.Height = found->Height;
  glyph.XOffset = found->XOffset;
  glyph.YOffset = found->YOffset;
  glyph.Advance = found->Advance;
  ChargeGlyphBytes(doc, found->Bitmap.size(), "(carried over)");
  glyph.Bitmap = std::exchange(found->Bitmap, GlyphBitmap{});
  return true;
}

}  // namespace mox
