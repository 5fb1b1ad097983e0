#include "previewer/fonts/carry_over.h"

#include "previewer/fonts/glyph_budget.h"

#include <algorithm>
#include <new>
#include <tuple>
#include <utility>

namespace mox {
namespace {

struct CarryOverTables {
  std::vector<ChineseCarryOver> Chinese;  // by slot, code, width desc, height desc
  std::vector<PkCarryOver> Pk;
};

CarryOverTables& Tables() {
  static CarryOverTables tables;
  return tables;
}

auto ChineseKey(const ChineseCarryOver& entry) {
  return std::make_tuple(entry.Slot, entry.CodeIndex, -entry.Width, -entry.Height);
}

void SaveChinese() {
  FontRegistry& fonts = Fonts();
  std::vector<ChineseCarryOver>& table = Tables().Chinese;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    for (ChineseGlyph& glyph : fonts.Slots[static_cast<std::size_t>(slot)].Glyphs) {
      if (glyph.Bitmap.empty()) continue;
      const ChineseFont& font = fonts.ChineseFonts[glyph.Font];
      const GlyphSize size = ChineseGlyphSize(slot, font.PixelWidth, font.PixelHeight);
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

void SavePk() {
  FontRegistry& fonts = Fonts();
  for (std::size_t font = 0; font < fonts.PkFonts.size(); ++font) {
    PkCarryOver carried;
    carried.Name = fonts.PkFonts[font].Name;
    carried.Resolution = PkResolution(font);
    const std::uint32_t first = fonts.PkGlyphBounds.size() > font ? fonts.PkGlyphBounds[font] : 0;
    const std::uint32_t last =
        fonts.PkGlyphBounds.size() > font + 1 ? fonts.PkGlyphBounds[font + 1] : first;
    for (std::uint32_t i = first; i < last; ++i) {
      carried.Glyphs.push_back(std::move(fonts.PkGlyphs[i]));
      fonts.PkGlyphs[i].Bitmap = {};
    }
    Tables().Pk.push_back(std::move(carried));
  }
}

}  // namespace

void SaveCarryOver() {
  DiscardCarryOver();
  try {
    SaveChinese();
    SavePk();
  } catch (const std::bad_alloc&) {
    // What was moved stays usable; the rest will simply be loaded again.
  }
}

void DiscardCarryOver() { Tables() = CarryOverTables{}; }

GlyphBitmap TakeChineseCarryOver(std::int32_t slot, std::int32_t code_index,
                                 std::int32_t width, std::int32_t height) {
  std::vector<ChineseCarryOver>& table = Tables().Chinese;
  const auto key = std::make_tuple(slot, code_index, -width, -height);
  auto found = std::lower_bound(table.begin(), table.end(), key,
                                [](const ChineseCarryOver& entry, const auto& wanted) {
                                  return ChineseKey(entry) < wanted;
                                });
  // Two fonts of one cell size carry the same glyph twice: take one that is
  // still there.
  for (; found != table.end() && ChineseKey(*found) == key; ++found) {
    if (!found->Bitmap.empty()) {
      ChargeGlyphBytes(found->Bitmap.size(), "(carried over)");
      return std::exchange(found->Bitmap, GlyphBitmap{});
    }
  }
  return {};
}

PkCarryOver* FindPkCarryOver(int resolution, const std::string& name) {
  for (PkCarryOver& font : Tables().Pk) {
    if (font.Resolution == resolution && font.Name == name) return &font;
  }
  return nullptr;
}

bool TakePkCarryOverGlyph(std::uint8_t code, PkCarryOver& font, PkGlyph& glyph) {
  const auto found = std::lower_bound(
      font.Glyphs.begin(), font.Glyphs.end(), code,
      [](const PkGlyph& carried, std::uint8_t wanted) { return carried.Code < wanted; });
  if (found == font.Glyphs.end() || found->Code != code || found->Bitmap.empty()) return false;
  glyph.Width = found->Width;
  glyph.Height = found->Height;
  glyph.XOffset = found->XOffset;
  glyph.YOffset = found->YOffset;
  glyph.Advance = found->Advance;
  ChargeGlyphBytes(found->Bitmap.size(), "(carried over)");
  glyph.Bitmap = std::exchange(found->Bitmap, GlyphBitmap{});
  return true;
}

}  // namespace mox
