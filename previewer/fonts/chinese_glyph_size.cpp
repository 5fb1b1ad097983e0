// The bitmap size of a Chinese glyph: from the TrueType face that serves the
// slot's ziti letter when there is one, otherwise from the slot's scale in
// ccfonts.def.
#include <cstdint>
#include <utility>

#include "previewer/dvi/dvi_document.h"
#include "previewer/fonts/font_registry.h"

namespace mox {
namespace {

TrueTypeFaceQuery& InstalledQuery() {
  static TrueTypeFaceQuery query;
  return query;
}

}  // namespace

void SetTrueTypeFaceQuery(TrueTypeFaceQuery query) { InstalledQuery() = std::move(query); }

std::optional<TrueTypeFaceUse> TrueTypeFaceFor(int ziti) {
  const TrueTypeFaceQuery& query = InstalledQuery();
  if (!query || ziti < 0 || ziti > kZitiCount) return std::nullopt;
  return query(ziti);
}

GlyphSize ChineseGlyphSize(int slot, std::int32_t width, std::int32_t height) {
  GlyphSize size{};
  const bool valid_slot = slot >= 0 && slot < kSlotCount;
  if (const std::optional<TrueTypeFaceUse> face = TrueTypeFaceFor(valid_slot ? slot / 2 : -1)) {
    const double widening = face->Italic ? 1.5 : 1.1;
    size.Width = NearestInt(width * face->Scale * widening);
    size.Height = NearestInt(height * face->Scale * 1.1);
  } else {
    const std::int64_t scale =
        valid_slot ? Fonts().Definitions[static_cast<std::size_t>(slot)].Scale : 10000;
    size.Width = static_cast<std::int32_t>((width * scale + 5000) / 10000);
    size.Height = static_cast<std::int32_t>((height * scale + 5000) / 10000);
  }
  // Every glyph is at least one pixel each way.
  if (size.Width < 1) size.Width = 1;
  if (size.Height < 1) size.Height = 1;
  return size;
}

}  // namespace mox
