#include "previewer/fonts/load_run.h"

#include <algorithm>
#include <optional>

#include "platform/paths.h"
#include "platform/text_format.h"
#include "previewer/base/document_abort.h"
#include "previewer/fonts/font_document.h"
#include "previewer/fonts/fonts_texts.h"
#include "previewer/fonts/glyph_budget.h"
#include "previewer/fonts/missing_characters.h"
#include "previewer/fonts/unicode_outline_fonts.h"
#include "previewer/startup/startup_texts.h"

namespace mox {
namespace {

constexpr std::size_t kChineseFontFileBuffer = 65520;
constexpr std::size_t kWesternFontFileBuffer = 16384;
constexpr std::size_t kChineseDriverBuffer = 15044;

// One box after the PK fonts naming every font that could not be found or
// made, so that the document shows without them instead of not at all.
void WarnOfMissingPkFonts(FontDocument& doc) {
  const std::vector<MissingPkFont>& missing = doc.Load.MissingPkFonts;
  if (missing.empty()) return;
  constexpr std::size_t kListed = 12;
  std::string text = doc.Say(kMissingFontsHead);
  for (std::size_t i = 0; i < missing.size() && i < kListed; ++i) {
    text += Format("\n%s at %0.4lgpt, %d dpi", missing[i].Name.c_str(), missing[i].Points,
                   missing[i].Resolution);
  }
  if (missing.size() > kListed) {
    text += Format(doc.Say(kMoreMissingFonts), static_cast<int>(missing.size() - kListed));
  }
  if (!doc.Fonts.LookupProblem.empty()) text += "\n\n" + doc.Fonts.LookupProblem;
  doc.Report.Notice(text, doc.Say(kWarningCaption), true);
}

void LoadPkFonts(FontDocument& doc) {
  FontRegistry& fonts = doc.Fonts;
  doc.Load.MissingPkFonts.clear();
  for (std::size_t font = 0; font < fonts.PkFonts.size(); ++font) {
    if (fonts.PkGlyphBounds[font] == fonts.PkGlyphBounds[font + 1]) continue;
    const PkFont& pk = fonts.PkFonts[font];
    ShowProgress(doc.Report, Format(doc.Say(kLoadingPkFont), pk.Name.c_str(),
                                    PkFontPoints(doc.Dvi, pk)));
    LoadPkFont(doc, font);
  }
  WarnOfMissingPkFonts(doc);
}

// The user font of slot 0: the document's name with the extension ".PZ".
std::string UserFontPath(const DviDocument& document) {
  const std::string& name = document.Name;
  const std::size_t dot = name.rfind('.');
  const std::size_t separator = FindLastOfGbk(name, "\\/");
  if (dot == std::string::npos || (separator != std::string::npos && separator > dot)) {
    return name + ".PZ";
  }
  return name.substr(0, dot) + ".PZ";
}

// Opens the outline font of a slot. A slot without a font, or one whose
// file cannot be opened, gives the line that says so: its characters are
// left empty (the renderer draws nothing for an empty glyph), as a missing
// PK font's are, rather than the document not shown at all.
std::optional<std::string> OpenSlotFont(FontDocument& doc, int slot,
                                        const std::string& chinese_directory) {
  FontRegistry& fonts = doc.Fonts;
  OutlineFontFile& outline = doc.Load.Outline;
  ChineseSlot& record = fonts.Slots[static_cast<std::size_t>(slot)];
  if (slot == 0) {
    const std::string user_font = UserFontPath(doc.Dvi);
    if (outline.Open(user_font) == kOutlineOk) {
      record.Source = user_font;
      return std::nullopt;
    }
  }
  const FontDefinition& definition = fonts.Definitions[static_cast<std::size_t>(slot)];
  if (definition.FileName.empty()) {
    return Format(doc.Say(kUndefinedSlotFont), static_cast<char>(slot / 2 + '@'));
  }
  const int code = outline.Open(chinese_directory + definition.FileName);
  if (code != kOutlineOk) {
    return Format(doc.Say(kCannotOpenOutlineFont), chinese_directory.c_str(),
                  definition.FileName.c_str(), code);
  }
  record.Source = chinese_directory + definition.FileName;
  return std::nullopt;
}

// One box after the Chinese fonts naming each font that could not be
// opened, once however many slots use it.
void WarnOfMissingOutlineFonts(FontDocument& doc, const std::vector<std::string>& problems) {
  if (problems.empty()) return;
  std::string text = doc.Say(kMissingOutlineFontsHead);
  for (const std::string& line : problems) text += "\n" + line;
  doc.Report.Notice(text, doc.Say(kWarningCaption), true);
}

void LoadOutlineSlots(FontDocument& doc, const std::string& chinese_directory) {
  FontRegistry& fonts = doc.Fonts;
  std::vector<std::string> problems;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    ChineseSlot& record = fonts.Slots[static_cast<std::size_t>(slot)];
    // A served ziti's slots come from its TrueType face; slot 0, the user
    // font, is left without glyphs when ziti "@" is served.
    if (FaceServes(doc.Faces, slot / 2) || record.Glyphs.empty()) continue;
    doc.Report.Status("");
    int position = 0;
    for (ChineseGlyph& glyph : record.Glyphs) {
      const ChineseFont& font = fonts.ChineseFonts[glyph.Font];
      const GlyphSize size = ChineseGlyphSize(doc, slot, font.PixelWidth, font.PixelHeight);
      if (glyph.Bitmap.empty()) {
        glyph.Bitmap = TakeChineseCarryOver(doc, slot, glyph.CodeIndex, size.Width, size.Height);
      }
      if (glyph.Bitmap.empty()) {
        if (!doc.Load.Outline.IsOpen()) {
          if (std::optional<std::string> problem = OpenSlotFont(doc, slot, chinese_directory)) {
            if (std::find(problems.begin(), problems.end(), *problem) == problems.end()) {
              problems.push_back(std::move(*problem));
            }
            break;
          }
        }
        if (position % kProgressEvery == kProgressEvery - 1) {
          const int code = RowCellCode(slot, glyph.CodeIndex);
          ShowProgress(doc.Report,
                       slot == 0 ? Format(doc.Say(kLoadingUserFont), position, code)
                                 : Format(doc.Say(kLoadingSlotFont),
                                          fonts.Definitions[static_cast<std::size_t>(slot)]
                                              .FileName.c_str(),
                                          position, code));
        }
        RenderOutlineGlyph(doc, slot, glyph, size, glyph.CodeIndex);
      }
      ++position;
    }
    doc.Load.Outline.Close();
  }
  ReadUnicodeDefinitions(doc, problems);
  LoadUnicodeOutlineSlots(doc, chinese_directory, problems);
  WarnOfMissingOutlineFonts(doc, problems);
}

void LoadEveryGlyph(FontDocument& doc) {
  LoadRunState& run = doc.Load;
  run.PkGeneratorRan = false;
  run.PkGeneratorFinished = false;
  const Options& options = doc.Settings;
  const std::string chinese_directory = WithTrailingSeparator(options.ChineseFontPath);
  PreparePkFileNames(doc, WithTrailingSeparator(options.PkFontPath));

  const bool chinese = !doc.Fonts.ChineseFonts.empty();
  LoadRunBuffers& buffers = run.Buffers;
  buffers.FontFile.assign(chinese ? kChineseFontFileBuffer : kWesternFontFileBuffer, 0);
  buffers.ChineseDriver.assign(chinese ? kChineseDriverBuffer : 0, 0);
  buffers.GlyphWork.assign(run.GlyphWorkSize, 0);
  if (chinese) ReadChineseDefinitions(doc);
  // Nothing is made of a document whose characters would not fit.
  CheckGlyphBudget(doc);

  doc.Report.Status("");
  LoadPkFonts(doc);
  if (chinese) {
    run.MissingCharacters.clear();
    LoadTrueTypeGlyphs(doc);
    LoadOutlineSlots(doc, chinese_directory);
    BoxUndrawnCharacters(doc);
    WarnOfMissingCharacters(doc);
  }
}

// Ends a load run however it ends: the buffers are released and the work
// buffer's size remembered; a run that did not finish closes its font file
// and forgets the document's name (the next open starts afresh).
class LoadRunEnd {
 public:
  explicit LoadRunEnd(FontDocument& doc) : doc_(doc) {}
  LoadRunEnd(const LoadRunEnd&) = delete;
  LoadRunEnd& operator=(const LoadRunEnd&) = delete;
  ~LoadRunEnd() {
    LoadRunState& run = doc_.Load;
    if (!finished_) {
      run.Outline.Close();
      doc_.Dvi.Name.clear();
    }
    run.GlyphWorkSize = std::max(run.GlyphWorkSize, run.Buffers.GlyphWork.size());
    run.Buffers = LoadRunBuffers{};
  }
  void Finished() { finished_ = true; }

 private:
  FontDocument& doc_;
  bool finished_ = false;
};

}  // namespace

void ShowProgress(Reporter& report, const std::string& line) {
  report.Status(Format("%-60s", line.c_str()));
}

// Renders glyph glyph_index of the open outline font into a record. A rendering
// error (an oversized cell among them) asks whether to go on; the glyph is
// then left blank, never holding what the work buffer held before.
void RenderOutlineGlyph(FontDocument& doc, int slot, ChineseGlyph& glyph, const GlyphSize& size,
                        int glyph_index) {
  const std::optional<std::size_t> bytes = GlyphBitmapBytes(size.Width, size.Height);
  const char* source = doc.Fonts.Slots[static_cast<std::size_t>(slot)].Source.c_str();
  int code = kOutlineCellTooLarge;
  if (bytes) {
    std::uint8_t* work = GlyphWorkBuffer(doc.Load, *bytes);
    std::fill(work, work + *bytes, 0);
    LoadRunBuffers& buffers = doc.Load.Buffers;
    code = doc.Load.Outline.Render(work, glyph_index, size.Width, size.Height,
                                   buffers.FontFile.data(), buffers.FontFile.size());
    if (code == kOutlineOk) {
      ChargeGlyphBytes(doc, *bytes, source);
      glyph.Bitmap.assign(work, work + *bytes);
      return;
    }
  }
  if (!doc.Report.Question(
          Format(doc.Say(kBadOutlineGlyph), code, RowCellCode(slot, glyph.CodeIndex)))) {
    AbortDocument(std::string());
  }
  if (bytes) {
    ChargeGlyphBytes(doc, *bytes, source);
    glyph.Bitmap.assign(*bytes, 0);
  } else {
    // Too large to hold: one blank byte, which the renderer (finding it
    // smaller than the cell) leaves undrawn.
    glyph.Bitmap.assign(1, 0);
  }
}

std::uint8_t* GlyphWorkBuffer(LoadRunState& run, std::size_t bytes) {
  std::vector<std::uint8_t>& work = run.Buffers.GlyphWork;
  if (work.size() < bytes) work.resize(bytes);
  if (work.empty()) work.resize(1);
  return work.data();
}

std::string WithTrailingSeparator(const std::string& directory) {
  if (directory.empty()) return directory;
  const char last = directory.back();
  if (last == '/' || last == '\\' || last == ':') {
    // A trail byte of a Chinese character is no separator.
    if (FindLastOfGbk(directory, "/\\:") == directory.size() - 1) return directory;
  }
  return directory + platform::SeparatorToAppend(directory);
}

void RunLoad(FontDocument& doc) {
  LoadRunEnd end(doc);
  LoadEveryGlyph(doc);
  end.Finished();
}

}  // namespace mox
