#include "previewer/fonts/unicode_outline_fonts.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "platform/text_format.h"
#include "previewer/fonts/font_document.h"
#include "previewer/fonts/font_file_bytes.h"
#include "previewer/fonts/fonts_texts.h"
#include "previewer/fonts/load_run.h"

namespace mox {
namespace {

// A definitions file is a few lines; a larger one is not such a file.
constexpr std::size_t kDefinitionsLimit = 64u << 10;
constexpr std::size_t kFileNameLimit = 12;

// The ziti bits of a letters word, or 0 when a byte is no ziti letter.
std::uint32_t ZitiBits(const std::string& letters) {
  if (letters == "*") return (std::uint32_t{1} << (kZitiCount + 1)) - 1;
  std::uint32_t bits = 0;
  for (const char c : letters) {
    const int upper = std::toupper(static_cast<unsigned char>(c));
    if (upper < '@' || upper > 'Z') return 0;
    bits |= std::uint32_t{1} << (upper - '@');
  }
  return bits;
}

void NoteProblem(std::vector<std::string>& problems, std::string problem) {
  if (std::find(problems.begin(), problems.end(), problem) == problems.end()) {
    problems.push_back(std::move(problem));
  }
}

// Renders the empty glyphs of a slot that the open file holds.
void RenderFromOpenFile(FontDocument& doc, int slot, const std::string& file_name) {
  FontRegistry& fonts = doc.Fonts;
  const OutlineFontFile& outline = doc.Load.Outline;
  const int first = outline.FirstCode();
  const int last = first + outline.GlyphCount() - 1;
  int position = 0;
  for (ChineseGlyph& glyph : fonts.Slots[static_cast<std::size_t>(slot)].Glyphs) {
    if (!glyph.Bitmap.empty() || glyph.CodeIndex < first || glyph.CodeIndex > last) continue;
    if (++position % kProgressEvery == 0) {
      ShowProgress(doc.Report, Format(doc.Say(kLoadingSlotFont), file_name.c_str(), position,
                                      glyph.CodeIndex));
    }
    const ChineseFont& font = fonts.ChineseFonts[glyph.Font];
    const GlyphSize size = ChineseGlyphSize(doc, slot, font.PixelWidth, font.PixelHeight);
    glyph.Bitmap = TakeChineseCarryOver(doc, slot, glyph.CodeIndex, size.Width, size.Height);
    if (!glyph.Bitmap.empty()) continue;
    RenderOutlineGlyph(doc, slot, glyph, size, glyph.CodeIndex - first);
  }
}

}  // namespace

void ReadUnicodeDefinitions(FontDocument& doc, std::vector<std::string>& problems) {
  std::vector<UnicodeFontDefinition>& definitions = doc.Fonts.UnicodeDefinitions;
  definitions.clear();
  const std::string path =
      WithTrailingSeparator(doc.Settings.ChineseFontPath) + kUnicodeDefinitionsFile;
  const std::optional<std::vector<std::uint8_t>> bytes =
      ReadFontFileBytes(path, kDefinitionsLimit);
  if (!bytes) return;
  std::istringstream text(std::string(bytes->begin(), bytes->end()));
  std::string line;
  for (int number = 1; std::getline(text, line); ++number) {
    std::istringstream words(line);
    std::string letters, file_name, extra;
    if (!(words >> letters) || letters.front() == '%') continue;
    words >> file_name >> extra;
    const std::uint32_t zitis = ZitiBits(letters);
    if (zitis == 0 || file_name.empty() || file_name.size() > kFileNameLimit || !extra.empty()) {
      NoteProblem(problems, Format(doc.Say(kBadUnicodeDefinition), number));
      continue;
    }
    definitions.push_back({zitis, file_name});
  }
}

void LoadUnicodeOutlineSlots(FontDocument& doc, const std::string& chinese_directory,
                             std::vector<std::string>& problems) {
  FontRegistry& fonts = doc.Fonts;
  for (int slot = kUnicodeSlotBase; slot < kAllSlotCount; ++slot) {
    const int ziti = ZitiOfSlot(slot);
    std::vector<ChineseGlyph>& glyphs = fonts.Slots[static_cast<std::size_t>(slot)].Glyphs;
    if (glyphs.empty()) continue;
    for (const UnicodeFontDefinition& definition : fonts.UnicodeDefinitions) {
      if ((definition.Zitis >> ziti & 1u) == 0) continue;
      const bool wanted = std::any_of(glyphs.begin(), glyphs.end(),
                                      [](const ChineseGlyph& g) { return g.Bitmap.empty(); });
      if (!wanted) break;
      const std::string path = chinese_directory + definition.FileName;
      OutlineFontFile& outline = doc.Load.Outline;
      if (const int code = outline.Open(path); code != kOutlineOk) {
        NoteProblem(problems, Format(doc.Say(kCannotOpenOutlineFont), chinese_directory.c_str(),
                                     definition.FileName.c_str(), code));
        continue;
      }
      fonts.Slots[static_cast<std::size_t>(slot)].Source = path;
      RenderFromOpenFile(doc, slot, definition.FileName);
      outline.Close();
    }
  }
}

}  // namespace mox
