#include "tools/moxrender/document_report.h"

#include <algorithm>

#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_buffer.h"
#include "previewer/fonts/font_registry.h"

namespace mox {
namespace {

const char* KindName(std::int16_t kind) {
  switch (kind) {
    case ItemImage: return "ItemImage";
    case ItemPkChar: return "ItemPkChar";
    case ItemChineseChar: return "ItemChineseChar";
    case ItemRule: return "ItemRule";
    case ItemColor: return "ItemColor";
    case ItemEm: return "ItemEm";
    case ItemEnd: return "ItemEnd";
    case ItemSource: return "ItemSource";
    default: return "ItemUnknown";
  }
}

// The PK font whose glyph group holds glyph record `glyph`.
std::size_t FontOfGlyph(const FontRegistry& fonts, std::uint32_t glyph) {
  const std::vector<std::uint32_t>& bounds = fonts.PkGlyphBounds;
  const auto above = std::upper_bound(bounds.begin(), bounds.end(), glyph);
  return static_cast<std::size_t>(above - bounds.begin()) - 1;
}

void PrintItemDetails(const PreviewDocument& doc, std::FILE* out, const PageItem& item) {
  const FontRegistry& fonts = doc.Fonts;
  switch (item.Kind) {
    case ItemPkChar:
      if (item.Ref() < fonts.PkGlyphs.size()) {
        std::fprintf(out, " %s %d", fonts.PkFonts[FontOfGlyph(fonts, item.Ref())].Name.c_str(),
                     fonts.PkGlyphs[item.Ref()].Code);
      }
      break;
    case ItemChineseChar: {
      const int slot = SlotOfRef(item.Ref());
      const std::uint32_t index = IndexOfRef(item.Ref());
      if (slot < kAllSlotCount && index < fonts.Slots[static_cast<std::size_t>(slot)].Glyphs.size()) {
        const ChineseGlyph& glyph = fonts.Slots[static_cast<std::size_t>(slot)].Glyphs[index];
        std::fprintf(out, " %d %ld %d", slot, static_cast<long>(glyph.CodeIndex), glyph.Font);
      }
      break;
    }
    case ItemImage:
      std::fprintf(out, " %s", ImageNameOf(doc.Page, item));
      break;
    case ItemSource: {
      const DviDocument& document = doc.Dvi;
      if (item.Ref() < document.SourceMarks.size()) {
        const SourceMark& mark = document.SourceMarks[item.Ref()];
        std::fprintf(out, " %ld %s", static_cast<long>(mark.Line),
                     document.SourceFiles[mark.File].c_str());
      }
      break;
    }
    case ItemColor:
    case ItemEm:
      std::fprintf(out, " %lu", static_cast<unsigned long>(item.Ref()));
      break;
    default:
      break;
  }
}

}  // namespace

void PrintDocumentInfo(const PreviewDocument& doc, std::FILE* out) {
  const DviDocument& document = doc.Dvi;
  std::fprintf(out, "num %lu\nden %lu\nmag %lu\nl %ld\nu %ld\ns %lu\nt %lu\n",
               static_cast<unsigned long>(document.Num), static_cast<unsigned long>(document.Den),
               static_cast<unsigned long>(document.Magnification),
               static_cast<long>(document.MaxHeightDepth), static_cast<long>(document.MaxWidth),
               static_cast<unsigned long>(document.StackSize - 10),
               static_cast<unsigned long>(document.PageCountInFile));
  std::fprintf(out, "comment %s\npages %zu\n", document.Comment.c_str(), document.Pages.size());
  for (const PageEntry& page : document.Pages) {
    std::fprintf(out, "page %ld %lu %d\n", static_cast<long>(page.Count0),
                 static_cast<unsigned long>(page.Offset), page.Ziti);
  }
  const FontRegistry& fonts = doc.Fonts;
  for (std::size_t i = 0; i < fonts.PkFonts.size(); ++i) {
    const PkFont& font = fonts.PkFonts[i];
    std::fprintf(out, "pk %d %s %ld %ld %ld %d %s\n", font.Number, font.Name.c_str(),
                 static_cast<long>(font.Checksum), static_cast<long>(font.ScaledSize),
                 static_cast<long>(font.DesignSize), PkResolution(doc, i),
                 font.Virtual >= 0 ? "virtual" : font.File.empty() ? "-" : font.File.c_str());
  }
  for (const ChineseFont& font : fonts.ChineseFonts) {
    std::fprintf(out, "chinese %d %ld %ld %ld %c\n", font.Number,
                 static_cast<long>(font.PixelWidth), static_cast<long>(font.PixelHeight),
                 static_cast<long>(font.DesignSize), font.Ziti);
  }
  for (int slot = 0; slot < kAllSlotCount; ++slot) {
    const ChineseSlot& record = fonts.Slots[static_cast<std::size_t>(slot)];
    if (record.Glyphs.empty()) continue;
    std::fprintf(out, "slot %d %zu %s\n", slot, record.Glyphs.size(),
                 record.Source.empty() ? "-" : record.Source.c_str());
  }
}

void PrintPageItems(const PreviewDocument& doc, std::FILE* out, int page) {
  const DviDocument& document = doc.Dvi;
  std::fprintf(out, "page %d count0 %ld\n", page + 1,
               static_cast<long>(document.Pages[static_cast<std::size_t>(page)].Count0));
  for (const PageItem& item : doc.Page.Items) {
    std::fprintf(out, "%s %d %d %d %d %d", KindName(item.Kind), item.Width, item.Height, item.X,
                 item.Y, item.Baseline);
    PrintItemDetails(doc, out, item);
    std::fputc('\n', out);
  }
}

}  // namespace mox
