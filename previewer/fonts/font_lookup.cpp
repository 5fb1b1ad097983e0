// Turning a DVI font number into a font kind and a table index: the PK
// table (sorted by number) by bisection, then the short Chinese table in
// order, then the dummy font.
#include <algorithm>

#include "platform/text_format.h"
#include "previewer/base/document_abort.h"
#include "previewer/fonts/font_document.h"

namespace mox {

FoundFont FindFont(const FontDocument& doc, int number, long location) {
  const FontRegistry& fonts = doc.Fonts;
  const std::vector<PkFont>& pk = fonts.PkFonts;
  // Only the document's own fonts have numbers.
  const std::size_t own = std::min(pk.size(), fonts.LocalFontsFrom.value_or(pk.size()));
  if (own > 0) {
    std::size_t low = 0;
    std::size_t high = own - 1;
    if (pk[low].Number == number) return {FontKind::Pk, static_cast<int>(low)};
    if (pk[high].Number == number) return {FontKind::Pk, static_cast<int>(high)};
    while (high - low > 1) {
      const std::size_t middle = (low + high) / 2;
      if (pk[middle].Number == number) return {FontKind::Pk, static_cast<int>(middle)};
      if (pk[middle].Number > number) {
        high = middle;
      } else {
        low = middle;
      }
    }
  }
  for (std::size_t i = 0; i < fonts.ChineseFonts.size(); ++i) {
    if (fonts.ChineseFonts[i].Number == number) return {FontKind::Chinese, static_cast<int>(i)};
  }
  if (number >= 0 && number == doc.Dvi.DummyFont) return {FontKind::Dummy, -1};
  // The scanner's own English text, in either language.
  AbortDocument(Format("Undefined font no.: %d, location=%ld", number, location));
}

}  // namespace mox
