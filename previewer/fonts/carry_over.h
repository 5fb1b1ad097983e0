// The glyphs of a document kept across an automatic reload: before the old
// document is closed its bitmaps move into carry-over tables, the new load
// run takes what it can from them, and the rest is discarded. A reload of a
// changed file then reads no font file when every glyph existed before.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "previewer/fonts/font_registry.h"

namespace mox {

struct ChineseCarryOver {
  std::int32_t Slot;
  std::int32_t CodeIndex;
  std::int32_t Width;
  std::int32_t Height;
  GlyphBitmap Bitmap;
};

struct PkCarryOver {
  std::string Name;
  int Resolution = 0;
  std::vector<PkGlyph> Glyphs;  // by code, as the font's glyph group was
};

struct CarryOverTables {
  std::vector<ChineseCarryOver> Chinese;  // by slot, code, width desc, height desc
  std::vector<PkCarryOver> Pk;
};

struct FontDocument;

// Moves every loaded bitmap of the document into its tables. An allocation
// failure leaves whatever was moved so far; the reload goes on.
void SaveCarryOver(FontDocument& doc);
// Frees what the new load run did not take.
inline void DiscardCarryOver(CarryOverTables& tables) { tables = CarryOverTables{}; }

// The bitmap of an equal glyph (slot, code index and size), handed over and
// counted against the document's glyph budget; an empty bitmap when there
// is none.
GlyphBitmap TakeChineseCarryOver(FontDocument& doc, std::int32_t slot, std::int32_t code_index,
                                 std::int32_t width, std::int32_t height);

// The carried font of that resolution and name, or nullptr.
PkCarryOver* FindPkCarryOver(CarryOverTables& tables, int resolution, const std::string& name);
// Copies the carried record of code into glyph (bitmap, sizes, offsets,
// advance), counting it against the budget, and clears the carried bitmap;
// false when there is none.
bool TakePkCarryOverGlyph(FontDocument& doc, std::uint8_t code, PkCarryOver& font,
                          PkGlyph& glyph);

}  // namespace mox
