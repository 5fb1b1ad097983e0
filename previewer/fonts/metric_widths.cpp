#include "previewer/fonts/metric_widths.h"

#include <optional>
#include <vector>

#include "platform/text_format.h"
#include "previewer/fonts/font_document.h"
#include "previewer/fonts/font_file_bytes.h"
#include "previewer/fonts/fonts_texts.h"
#include "previewer/fonts/tfm_metrics.h"
#include "previewer/startup/startup_texts.h"

namespace mox {

bool TakeMetricWidths(FontDocument& doc, std::size_t font_index) {
  FontRegistry& fonts = doc.Fonts;
  const PkFont& font = fonts.PkFonts.at(font_index);
  if (font.MetricFile.empty()) return false;
  std::optional<TfmMetrics> metrics;
  if (const std::optional<std::vector<std::uint8_t>> bytes = ReadFontFileBytes(font.MetricFile)) {
    metrics = ParseTfm(*bytes);
  }
  if (!metrics) {
    doc.Report.Notice(doc.Say(kFontFileWarnings) +
                          Format(doc.Say(kBadMetricFile), font.MetricFile.c_str()).substr(1),
                      doc.Say(kWarningCaption), true);
    return false;
  }
  for (std::uint32_t i = fonts.PkGlyphBounds.at(font_index);
       i < fonts.PkGlyphBounds.at(font_index + 1); ++i) {
    PkGlyph& glyph = fonts.PkGlyphs[i];
    if (const std::optional<std::int32_t> width = metrics->Width(glyph.Code)) {
      glyph.Advance = ScaleFixWord(*width, font.ScaledSize);
    }
  }
  return true;
}

}  // namespace mox
