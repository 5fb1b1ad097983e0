#include "previewer/fonts/missing_characters.h"

#include <algorithm>

#include "platform/text_encoding.h"
#include "platform/text_format.h"
#include "previewer/fonts/font_document.h"
#include "previewer/fonts/fonts_texts.h"
#include "previewer/fonts/glyph_budget.h"
#include "previewer/startup/startup_texts.h"

namespace mox {
namespace {

constexpr std::size_t kListedCharacters = 24;

// The character as the program's text (GB18030 reaches every one of them).
std::string Shown(char32_t character) {
  std::string text;
  std::size_t failed_at = 0;
  const std::u16string unit(1, static_cast<char16_t>(character));
  platform::EncodeGb18030(unit, text, failed_at);
  return text;
}

// Notes a character of a slot beyond GB 2312 that is shown as a box.
void NoteMissingCharacter(FontDocument& doc, char32_t character) {
  std::vector<char32_t>& missing = doc.Load.MissingCharacters;
  if (std::find(missing.begin(), missing.end(), character) == missing.end()) {
    missing.push_back(character);
  }
}

}  // namespace

GlyphBitmap EmptyBox(std::int32_t width, std::int32_t height) {
  const std::optional<std::size_t> bytes = GlyphBitmapBytes(width, height);
  if (!bytes) return GlyphBitmap(1, 0);
  GlyphBitmap box(*bytes, 0);
  const std::size_t row = static_cast<std::size_t>((width + 7) / 8);
  const auto set = [&](std::int32_t x, std::int32_t y) {
    box[static_cast<std::size_t>(y) * row + static_cast<std::size_t>(x / 8)] |=
        static_cast<std::uint8_t>(0x80 >> (x % 8));
  };
  for (std::int32_t x = 0; x < width; ++x) {
    set(x, 0);
    set(x, height - 1);
  }
  for (std::int32_t y = 0; y < height; ++y) {
    set(0, y);
    set(width - 1, y);
  }
  return box;
}

void BoxUndrawnCharacters(FontDocument& doc) {
  FontRegistry& fonts = doc.Fonts;
  for (int slot = kUnicodeSlotBase; slot < kAllSlotCount; ++slot) {
    for (ChineseGlyph& glyph : fonts.Slots[static_cast<std::size_t>(slot)].Glyphs) {
      const ChineseFont& font = fonts.ChineseFonts[glyph.Font];
      const GlyphSize size = ChineseGlyphSize(doc, slot, font.PixelWidth, font.PixelHeight);
      if (glyph.Bitmap.empty()) {
        glyph.Bitmap = TakeChineseCarryOver(doc, slot, glyph.CodeIndex, size.Width, size.Height);
      }
      if (!glyph.Bitmap.empty()) continue;
      glyph.Bitmap = EmptyBox(size.Width, size.Height);
      ChargeGlyphBytes(doc, glyph.Bitmap.size(), "moxuc");
      NoteMissingCharacter(doc, static_cast<char32_t>(glyph.CodeIndex));
    }
  }
}

void WarnOfMissingCharacters(FontDocument& doc) {
  std::vector<char32_t>& missing = doc.Load.MissingCharacters;
  if (missing.empty()) return;
  std::sort(missing.begin(), missing.end());
  std::string text = doc.Say(kMissingCharactersHead);
  for (std::size_t i = 0; i < missing.size() && i < kListedCharacters; ++i) {
    text += Format("\nU+%04X %s", static_cast<unsigned>(missing[i]), Shown(missing[i]).c_str());
  }
  if (missing.size() > kListedCharacters) {
    text += Format(doc.Say(kMoreMissingCharacters),
                   static_cast<int>(missing.size() - kListedCharacters));
  }
  doc.Report.Notice(text, doc.Say(kWarningCaption), true);
  missing.clear();
}

}  // namespace mox
