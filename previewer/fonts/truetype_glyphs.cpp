// The TrueType part of the load run: for every ziti served by a face, the
// glyphs of its two slots that the carry-over does not supply are drawn font
// by font through the rasteriser and placed in their cells.
//
// A glyph the face cannot draw becomes, when the user goes on, a blank cell
// of the glyph's size, so that it has a bitmap like every glyph that was
// drawn. The ideographic space of the symbol slot is never drawn and keeps
// no bitmap.
#include "previewer/fonts/glyph_budget.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/glyph_rasterizer.h"
#include "platform/text_format.h"
#include "previewer/base/chinese_codes.h"
#include "previewer/base/document_abort.h"
#include "previewer/fonts/font_document.h"
#include "previewer/fonts/fonts_texts.h"

namespace mox {
namespace {

constexpr int kSymbolSlot = 1;
constexpr std::int32_t kIdeographicSpace = 0;  // code index in the symbol slot
// Added to odd-slot codes when sorting, so that rows 16-55 come first.
constexpr std::int32_t kOddSlotSortOffset = 3760;
constexpr std::int32_t kFirstCodeByte = 0xA1;
constexpr std::uint8_t kProofQuality = 2;
constexpr std::size_t kProgressEvery = 16;
// Larger cells are refused like a face that cannot be made: such a glyph is
// a mistake in the document, and each bitmap would take megabytes.
constexpr std::int32_t kMaxCellPixels = 8192;

struct PendingGlyph {
  int Slot;
  ChineseGlyph* Glyph;
};

const FaceEntry& EntryOf(const FaceTable& table, int ziti) {
  return table.Entries[static_cast<std::size_t>(ziti)];
}

std::string FaceNameOf(const FaceTable& table, int ziti) {
  const char* name = EntryOf(table, ziti).Font.FaceName;
  return std::string(name, std::find(name, name + sizeof(platform::LogFontA::FaceName), '\0'));
}

// The double-byte GB 2312 code of a code index, first byte high.
std::uint16_t Gb2312Code(int slot, std::int32_t code_index) {
  const std::int32_t linear = LinearCodeOf(slot, code_index);
  return static_cast<std::uint16_t>((linear % kCellsPerRow + kFirstCodeByte) +
                                    256 * (linear / kCellsPerRow + kFirstCodeByte));
}

std::size_t RowBytes(const FaceCell& cell) { return (static_cast<std::size_t>(cell.Width) + 7) / 8; }

GlyphBitmap BlankCell(const FaceCell& cell) {
  return GlyphBitmap(RowBytes(cell) * static_cast<std::size_t>(cell.Height), 0);
}

// The cell of a drawn glyph: cleared, with the black box ORed in, its left
// edge at origin x + xoff and its top row at Hc - origin y - descent - yoff;
// whatever falls outside the cell is cut off.
GlyphBitmap PlaceGlyph(const platform::RasterGlyph& glyph, const FaceCell& cell, int descent) {
  GlyphBitmap bitmap = BlankCell(cell);
  const std::size_t row_bytes = RowBytes(cell);
  const std::uint64_t stride = (static_cast<std::uint64_t>(glyph.BlackBoxWidth) + 31) / 32 * 4;
  if (stride == 0) return bitmap;
  // Rows the rasteriser claims but did not deliver stay blank.
  const std::uint64_t rows =
      std::min<std::uint64_t>(glyph.BlackBoxHeight, glyph.Bits.size() / stride);
  const std::int64_t left = static_cast<std::int64_t>(glyph.OriginX) + cell.XOffset;
  const std::int64_t top = static_cast<std::int64_t>(cell.Height) - glyph.OriginY - descent -
                           cell.YOffset;
  const std::int64_t first_column = std::max<std::int64_t>(0, -left);
  const std::int64_t end_column =
      std::min<std::int64_t>(glyph.BlackBoxWidth, static_cast<std::int64_t>(cell.Width) - left);
  for (std::uint64_t row = 0; row < rows; ++row) {
    const std::int64_t y = top + static_cast<std::int64_t>(row);
    if (y < 0) continue;
    if (y >= cell.Height) break;
    const std::uint8_t* source = glyph.Bits.data() + stride * row;
    std::uint8_t* target = bitmap.data() + row_bytes * static_cast<std::size_t>(y);
    for (std::int64_t column = first_column; column < end_column; ++column) {
      if ((source[column / 8] & (0x80 >> (column % 8))) == 0) continue;
      const std::int64_t x = left + column;
      target[x / 8] = static_cast<std::uint8_t>(target[x / 8] | (0x80 >> (x % 8)));
    }
  }
  return bitmap;
}

// The face of one ziti while its glyphs are drawn, selected for one font's
// size at a time; released however the drawing ends.
class ZitiFace {
 public:
  ZitiFace(const FontDocument& doc, int ziti) : doc_(doc), ziti_(ziti) {}
  ZitiFace(const ZitiFace&) = delete;
  ZitiFace& operator=(const ZitiFace&) = delete;
  ~ZitiFace() { Release(); }

  int Font() const { return font_; }
  const FaceCell& Cell() const { return cell_; }
  int Descent() const { return descent_; }

  // The face at the em size of a font's cell: height He, width (We + 1) / 2
  // (a LOGFONT width is that of a half-width character), proof quality.
  bool Select(int font_index) {
    Release();
    const ChineseFont& font = doc_.Fonts.ChineseFonts[static_cast<std::size_t>(font_index)];
    const std::optional<FaceCell> cell =
        FaceCellFor(doc_.Faces, ziti_, font.PixelWidth, font.PixelHeight);
    if (!cell || cell->Width > kMaxCellPixels || cell->Height > kMaxCellPixels) return false;
    platform::LogFontA request = EntryOf(doc_.Faces, ziti_).Font;
    request.Height = cell->EmHeight;
    request.Width = (cell->EmWidth + 1) / 2;
    request.Quality = kProofQuality;
    request.FaceName[sizeof request.FaceName - 1] = '\0';
    selected_ = true;  // a face that failed half-way is released too
    int descent = 0;
    if (!platform::Rasterizer().SelectFace(request, descent)) return false;
    cell_ = *cell;
    descent_ = descent;
    font_ = font_index;
    return true;
  }

  void Release() {
    if (selected_) platform::Rasterizer().ReleaseFace();
    selected_ = false;
    font_ = -1;
  }

 private:
  const FontDocument& doc_;
  int ziti_;
  bool selected_ = false;
  int font_ = -1;
  FaceCell cell_{};
  int descent_ = 0;
};

// The slots a ziti's face serves. Slot 0 is the user font, which a face
// never serves; the face draws the ziti's characters beyond GB 2312 too.
std::vector<int> FaceSlots(int ziti) {
  std::vector<int> slots;
  if (ziti != 0) slots.push_back(2 * ziti);
  slots.push_back(2 * ziti + 1);
  slots.push_back(kUnicodeSlotBase + ziti);
  return slots;
}

// Gives the glyphs of the slots their carry-over bitmaps and lists those
// still without one in `pending`. False when memory ran out and the user
// went on: the ziti is then skipped.
bool GatherPendingGlyphs(FontDocument& doc, int ziti, const std::vector<int>& slots,
                         std::size_t records, std::pmr::vector<PendingGlyph>& pending) {
  FontRegistry& fonts = doc.Fonts;
  try {
    pending.reserve(records);
    for (const int slot : slots) {
      for (ChineseGlyph& glyph : fonts.Slots[static_cast<std::size_t>(slot)].Glyphs) {
        if (glyph.Bitmap.empty()) {
          const ChineseFont& font = fonts.ChineseFonts[glyph.Font];
          const FaceCell cell = *FaceCellFor(doc.Faces, ziti, font.PixelWidth, font.PixelHeight);
          glyph.Bitmap =
              TakeChineseCarryOver(doc, slot, glyph.CodeIndex, cell.Width, cell.Height);
        }
        if (glyph.Bitmap.empty()) pending.push_back({slot, &glyph});
      }
    }
  } catch (const std::bad_alloc&) {
    if (!doc.Report.Question(doc.Say(kNoEnoughMemory))) AbortDocument(std::string());
    return false;
  }
  return true;
}

// Font by font, so that each font's face is selected once; within a font by
// code, the odd slots' codes after the even slots' (kOddSlotSortOffset).
void SortPendingGlyphs(std::pmr::vector<PendingGlyph>& pending) {
  std::sort(pending.begin(), pending.end(), [](const PendingGlyph& a, const PendingGlyph& b) {
    const auto key = [](const PendingGlyph& entry) {
      return std::make_tuple(entry.Glyph->Font,
                             entry.Glyph->CodeIndex + (entry.Slot % 2 == 1 ? kOddSlotSortOffset : 0));
    };
    return key(a) < key(b);
  });
}

// Draws the pending glyphs through the ziti's face, in their sorted order.
void DrawPendingGlyphs(FontDocument& doc, int ziti, const std::string& name,
                       const std::pmr::vector<PendingGlyph>& pending) {
  Reporter& report = doc.Report;
  platform::GlyphRasterizer& rasterizer = platform::Rasterizer();
  ZitiFace face(doc, ziti);
  for (std::size_t position = 0; position < pending.size(); ++position) {
    const int slot = pending[position].Slot;
    ChineseGlyph& glyph = *pending[position].Glyph;
    if (slot == kSymbolSlot && glyph.CodeIndex == kIdeographicSpace) continue;
    if (glyph.Font != face.Font() && !face.Select(glyph.Font)) {
      if (!report.Question(doc.Say(kCannotOpenTrueTypeFont))) {
        AbortDocument(std::string());
      }
      return;  // the rest of this ziti stays without glyphs
    }
    const int row_cell = RowCellCode(slot, glyph.CodeIndex);
    if (position % kProgressEvery == kProgressEvery - 1) {
      const std::string line =
          Format(doc.Say(kLoadingTrueTypeGlyphs), name.c_str(), static_cast<int>(position),
                 row_cell);
      // Padded so that a shorter line covers a longer one.
      report.Status(Format("%-60s", line.c_str()));
    }
    const std::optional<platform::RasterGlyph> drawn =
        IsUnicodeSlot(slot)
            ? rasterizer.DrawCharacter(static_cast<char32_t>(glyph.CodeIndex))
            : rasterizer.DrawGlyph(Gb2312Code(slot, glyph.CodeIndex));
    // A character beyond GB 2312 the face lacks is left to the outline
    // fonts of its range, and to its empty box when they lack it too.
    if (!drawn && IsUnicodeSlot(slot)) continue;
    if (!drawn) {
      if (!report.Question(Format(doc.Say(kCannotLoadCharacter), row_cell))) {
        AbortDocument(std::string());
      }
      glyph.Bitmap = BlankCell(face.Cell());
      ChargeGlyphBytes(doc, glyph.Bitmap.size(), "(TrueType)");
      continue;
    }
    glyph.Bitmap = PlaceGlyph(*drawn, face.Cell(), face.Descent());
    ChargeGlyphBytes(doc, glyph.Bitmap.size(), "(TrueType)");
  }
}

void LoadZiti(FontDocument& doc, int ziti) {
  FontRegistry& fonts = doc.Fonts;
  const std::vector<int> slots = FaceSlots(ziti);
  std::size_t records = 0;
  for (const int slot : slots) records += fonts.Slots[static_cast<std::size_t>(slot)].Glyphs.size();
  if (records == 0) return;

  const std::string name = FaceNameOf(doc.Faces, ziti);
  doc.Report.Status(Format(doc.Say(kLoadingTrueTypeFont), name.c_str()));
  for (const int slot : slots) fonts.Slots[static_cast<std::size_t>(slot)].Source = name;

  std::pmr::memory_resource* memory = doc.Load.TrueTypeListMemory != nullptr
                                          ? doc.Load.TrueTypeListMemory
                                          : std::pmr::get_default_resource();
  std::pmr::vector<PendingGlyph> pending(memory);
  if (!GatherPendingGlyphs(doc, ziti, slots, records, pending)) return;  // the ziti is skipped
  SortPendingGlyphs(pending);
  DrawPendingGlyphs(doc, ziti, name, pending);
}

}  // namespace

void LoadTrueTypeGlyphs(FontDocument& doc) {
  if (doc.Fonts.ChineseFonts.empty()) return;
  for (int ziti = 0; ziti < kFaceTableEntries; ++ziti) {
    if (FaceServes(doc.Faces, ziti)) LoadZiti(doc, ziti);
  }
}

}  // namespace mox
