#include "previewer/fonts/load_run.h"

#include <algorithm>
#include <optional>

#include "platform/paths.h"
#include "platform/text_format.h"
#include "platform/user_interface.h"
#include "previewer/base/document_abort.h"
#include "previewer/base/document.h"
#include "previewer/fonts/carry_over.h"
#include "previewer/fonts/face_table.h"
#include "previewer/fonts/font_registry.h"
#include "previewer/fonts/glyph_budget.h"
#include "previewer/fonts/outline_font.h"
#include "previewer/fonts/pk_font.h"
#include "previewer/startup/language.h"
#include "previewer/startup/messages.h"
#include "previewer/startup/options.h"

namespace mox {
namespace {

constexpr std::size_t kChineseFontFileBuffer = 65520;
constexpr std::size_t kWesternFontFileBuffer = 16384;
constexpr std::size_t kChineseDriverBuffer = 15044;
constexpr std::size_t kFirstGlyphWorkBuffer = 8192;
constexpr int kProgressEvery = 16;

// The size of the glyph work buffer, kept from one run to the next.
std::size_t& RememberedGlyphWorkSize() {
  static std::size_t size = kFirstGlyphWorkBuffer;
  return size;
}

// Progress lines are padded so that a shorter line covers a longer one.
void ShowProgress(const std::string& line) {
  ShowStatus(Format("%-60s", line.c_str()));
}

// One box after the PK fonts naming every font that could not be found or
// made, so that the document shows without them instead of not at all.
void WarnOfMissingPkFonts() {
  const std::vector<MissingPkFont>& missing = MissingPkFonts();
  if (missing.empty()) return;
  constexpr std::size_t kListed = 12;
  std::string text = Tr("以下字库找不到, 也无法生成; 其中的字符不显示:\n",
                        "These fonts could not be found or made; their characters are "
                        "left empty:\n");
  for (std::size_t i = 0; i < missing.size() && i < kListed; ++i) {
    text += Format("\n%s at %0.4lgpt, %d dpi", missing[i].Name.c_str(), missing[i].Points,
                   missing[i].Resolution);
  }
  if (missing.size() > kListed) {
    text += Format(Tr("\n... 另有%d个", "\n... and %d more"),
                   static_cast<int>(missing.size() - kListed));
  }
  platform::Ui().ShowBox(text, Tr("报警", "Warning"), platform::kBoxOk | platform::kBoxIconWarning);
}

void LoadPkFonts() {
  FontRegistry& fonts = Fonts();
  MissingPkFonts().clear();
  for (std::size_t font = 0; font < fonts.PkFonts.size(); ++font) {
    if (fonts.PkGlyphBounds[font] == fonts.PkGlyphBounds[font + 1]) continue;
    const PkFont& pk = fonts.PkFonts[font];
    ShowProgress(Format(Tr("装载字库 %s at %0.4lgpt", "Loading font %s at %0.4lgpt"),
                        pk.Name.c_str(), PkFontPoints(pk)));
    LoadPkFont(font);
  }
  WarnOfMissingPkFonts();
}

// The user font of slot 0: the document's name with the extension ".PZ".
std::string UserFontPath() {
  std::string name = Document().Name;
  const std::size_t dot = name.rfind('.');
  const std::size_t separator = FindLastOfGbk(name, "\\/");
  if (dot == std::string::npos || (separator != std::string::npos && separator > dot)) {
    return name + ".PZ";
  }
  return name.substr(0, dot) + ".PZ";
}

// Opens the outline font of a slot; aborts the run when it has none or it
// cannot be opened.
void OpenSlotFont(int slot, const std::string& chinese_directory) {
  FontRegistry& fonts = Fonts();
  ChineseSlot& record = fonts.Slots[static_cast<std::size_t>(slot)];
  if (slot == 0) {
    const std::string user_font = UserFontPath();
    if (OpenOutlineFont(user_font) == kOutlineOk) {
      record.Source = user_font;
      return;
    }
  }
  const FontDefinition& definition = fonts.Definitions[static_cast<std::size_t>(slot)];
  if (definition.FileName.empty()) {
    AbortDocument(Format(Tr("字库没定义 (ziti=%c).", "Undefined font (ziti=%c)."),
                         static_cast<char>(slot / 2 + '@')));
  }
  const int code = OpenOutlineFont(chinese_directory + definition.FileName);
  if (code != kOutlineOk) {
    AbortDocument(Format(Tr("FONTDRV: 字库\"%s%s\"打开失败, 错误码=%d.",
                            "FONTDRV: cannot open font \"%s%s\", error code=%d."),
                         chinese_directory.c_str(), definition.FileName.c_str(), code));
  }
  record.Source = chinese_directory + definition.FileName;
}

// Renders one glyph of the open outline font into its record. A rendering
// error (an oversized cell among them) asks whether to go on; the glyph is
// then left blank, never holding what the work buffer held before.
void RenderSlotGlyph(int slot, ChineseGlyph& glyph, const GlyphSize& size) {
  const std::optional<std::size_t> bytes = GlyphBitmapBytes(size.Width, size.Height);
  int code = kOutlineCellTooLarge;
  if (bytes) {
    std::uint8_t* work = GlyphWorkBuffer(*bytes);
    std::fill(work, work + *bytes, 0);
    LoadRunBuffers& buffers = TheLoadRunBuffers();
    code = RenderOutlineGlyph(work, glyph.CodeIndex, size.Width, size.Height,
                              buffers.FontFile.data(), buffers.FontFile.size());
    if (code == kOutlineOk) {
      ChargeGlyphBytes(*bytes, Fonts().Slots[static_cast<std::size_t>(slot)].Source.c_str());
      glyph.Bitmap.assign(work, work + *bytes);
      return;
    }
  }
  if (!ShowWarning(Format(Tr("字库数据有错, 错误码=%d, 字符码=%d",
                             "failed to unpack the character. Error code=%d, char code=%d"),
                          code, RowCellCode(slot, glyph.CodeIndex)),
                   true)) {
    AbortDocument(std::string());
  }
  if (bytes) {
    ChargeGlyphBytes(*bytes, Fonts().Slots[static_cast<std::size_t>(slot)].Source.c_str());
    glyph.Bitmap.assign(*bytes, 0);
  } else {
    // Too large to hold: one blank byte, which the renderer (finding it
    // smaller than the cell) leaves undrawn.
    glyph.Bitmap.assign(1, 0);
  }
}

void LoadOutlineSlots(const std::string& chinese_directory) {
  FontRegistry& fonts = Fonts();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    ChineseSlot& record = fonts.Slots[static_cast<std::size_t>(slot)];
    // A served ziti's slots come from its TrueType face; slot 0, the user
    // font, is left without glyphs when ziti "@" is served.
    if (FaceServes(slot / 2) || record.Glyphs.empty()) continue;
    ShowStatus("");
    int position = 0;
    for (ChineseGlyph& glyph : record.Glyphs) {
      const ChineseFont& font = fonts.ChineseFonts[glyph.Font];
      const GlyphSize size = ChineseGlyphSize(slot, font.PixelWidth, font.PixelHeight);
      if (glyph.Bitmap.empty()) {
        glyph.Bitmap = TakeChineseCarryOver(slot, glyph.CodeIndex, size.Width, size.Height);
      }
      if (glyph.Bitmap.empty()) {
        if (!OutlineFontIsOpen()) OpenSlotFont(slot, chinese_directory);
        if (position % kProgressEvery == kProgressEvery - 1) {
          const int code = RowCellCode(slot, glyph.CodeIndex);
          ShowProgress(slot == 0
                           ? Format(Tr("装载用户字库 - %-5d(code=%04d)",
                                       "Loading user font - %-5d(code=%04d)"),
                                    position, code)
                           : Format(Tr("装载字库 %s - %-5d(code=%04d)",
                                       "Loading font %s - %-5d(code=%04d)"),
                                    fonts.Definitions[static_cast<std::size_t>(slot)]
                                        .FileName.c_str(),
                                    position, code));
        }
        RenderSlotGlyph(slot, glyph, size);
      }
      ++position;
    }
    CloseOutlineFont();
  }
}

void LoadEveryGlyph() {
  PkGeneratorRan() = false;
  const Options& options = CurrentOptions();
  const std::string chinese_directory = WithTrailingSeparator(options.ChineseFontPath);
  PreparePkFileNames(WithTrailingSeparator(options.PkFontPath));

  const bool chinese = !Fonts().ChineseFonts.empty();
  LoadRunBuffers& buffers = TheLoadRunBuffers();
  buffers.FontFile.assign(chinese ? kChineseFontFileBuffer : kWesternFontFileBuffer, 0);
  buffers.ChineseDriver.assign(chinese ? kChineseDriverBuffer : 0, 0);
  buffers.GlyphWork.assign(RememberedGlyphWorkSize(), 0);
  if (chinese) ReadChineseDefinitions();
  // Nothing is made of a document whose characters would not fit.
  CheckGlyphBudget();

  ShowStatus("");
  LoadPkFonts();
  if (chinese) {
    LoadTrueTypeGlyphs();
    LoadOutlineSlots(chinese_directory);
  }
  RememberedGlyphWorkSize() = buffers.GlyphWork.size();
  buffers = LoadRunBuffers{};
}

}  // namespace

LoadRunBuffers& TheLoadRunBuffers() {
  static LoadRunBuffers buffers;
  return buffers;
}

std::uint8_t* GlyphWorkBuffer(std::size_t bytes) {
  std::vector<std::uint8_t>& work = TheLoadRunBuffers().GlyphWork;
  if (work.size() < bytes) work.resize(bytes);
  if (work.empty()) work.resize(1);
  return work.data();
}

bool& PkGeneratorRan() {
  static bool ran = false;
  return ran;
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

void RunLoad() {
  try {
    LoadEveryGlyph();
  } catch (...) {
    // The run's buffers go with the document; the next open starts afresh.
    CloseOutlineFont();
    RememberedGlyphWorkSize() =
        std::max(RememberedGlyphWorkSize(), TheLoadRunBuffers().GlyphWork.size());
    TheLoadRunBuffers() = LoadRunBuffers{};
    Document().Name.clear();
    throw;
  }
}

}  // namespace mox
