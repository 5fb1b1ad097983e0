// The bitmap size of a Chinese glyph: from the TrueType face that serves the
// slot's ziti letter when there is one, otherwise from the slot's scale in
// ccfonts.def.
#include <algorithm>
#include <cstdint>

#include "previewer/base/nearest_int.h"
#include "previewer/fonts/font_document.h"

namespace mox {
namespace {

// Sides and scales are 32-bit, so the products fit 64 bits.
std::int32_t Saturated(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

GlyphSize ChineseGlyphSize(const FontDocument& doc, int slot, std::int32_t width,
                           std::int32_t height) {
  // Sizes come from the document (design size, checksum, magnification):
  // every step saturates at the 32-bit limits instead of wrapping, so an
  // absurd cell stays absurd and is refused where a glyph is made.
  GlyphSize size{};
  // A slot beyond GB 2312 takes the scale of its ziti's second GB 2312
  // slot (the symbols for "@"), so that its characters are the size of the
  // GB 2312 ones beside them.
  const bool any_slot = slot >= 0 && slot < kAllSlotCount;
  const int scale_slot = IsUnicodeSlot(slot) ? 2 * ZitiOfSlot(slot) + 1 : slot;
  if (any_slot && FaceServes(doc.Faces, ZitiOfSlot(slot))) {
    const FaceEntry& face = doc.Faces.Entries[static_cast<std::size_t>(ZitiOfSlot(slot))];
    const double widening = face.Font.Italic != 0 ? 1.5 : 1.1;
    size.Width = NearestInt(width * face.Scale * widening);
    size.Height = NearestInt(height * face.Scale * 1.1);
  } else {
    const std::int64_t scale =
        any_slot ? doc.Fonts.Definitions[static_cast<std::size_t>(scale_slot)].Scale : 10000;
    size.Width = Saturated((width * scale + 5000) / 10000);
    size.Height = Saturated((height * scale + 5000) / 10000);
  }
  // Every glyph is at least one pixel each way.
  if (size.Width < 1) size.Width = 1;
  if (size.Height < 1) size.Height = 1;
  return size;
}

}  // namespace mox
