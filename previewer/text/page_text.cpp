#include "previewer/text/page_text.h"

#include <algorithm>
#include <new>

#include "platform/text_format.h"
#include "previewer/base/document_abort.h"
#include "previewer/base/nearest_int.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/dvi_texts.h"
#include "previewer/dvi/page_commands.h"
#include "previewer/dvi/scan_document.h"
#include "previewer/text/chinese_text.h"
#include "previewer/text/combining_marks.h"
#include "previewer/text/font_encoding.h"
#include "previewer/text/link_collector.h"
#include "previewer/text/link_specials.h"
#include "previewer/text/text_texts.h"

namespace mox {

void TextBox::Add(const TextBox& other) {
  if (other.Empty()) return;
  if (Empty()) {
    *this = other;
    return;
  }
  Left = std::min(Left, other.Left);
  Top = std::min(Top, other.Top);
  Right = std::max(Right, other.Right);
  Bottom = std::max(Bottom, other.Bottom);
}

namespace {

// The part of a Western font's quad above and below the baseline that a
// character's box takes, so that the boxes of a line are of one height
// (the glyph's own ink is added where it reaches further).
constexpr double kAscentQuads = 0.75;
constexpr double kDescentQuads = 0.25;

// Reads a page for its characters, links and anchors: the scan's
// commands with a pass that keeps text instead of page items.
class TextPass final : public PagePass {
 public:
  TextPass(ScanDocument& doc, int page, PageText& text)
      : doc_(doc), page_(page), text_(text), links_(doc.Dvi, text) {
    const std::vector<PkFont>& fonts = doc.Fonts.PkFonts;
    encodings_.reserve(fonts.size());
    for (const PkFont& font : fonts) encodings_.push_back(EncodingOfFont(font.Name));
  }

  bool TracksPosition() const override { return true; }
  bool HandlesCharacters() const override { return true; }
  bool AsksAboutInvalidCodes() const override { return false; }

  std::int32_t PkCharacter(int code) override {
    const FontRegistry& fonts = doc_.Fonts;
    const std::size_t font = static_cast<std::size_t>(doc_.Scan.FontIndex);
    const PkFont& pk = fonts.PkFonts[font];
    // The glyph records hold the characters of the selected pages; one of
    // another page has no record, and so no advance or ink here.
    const PkGlyph* glyph = nullptr;
    if (font + 1 < fonts.PkGlyphBounds.size()) {
      const auto first = fonts.PkGlyphs.begin() + fonts.PkGlyphBounds[font];
      const auto last = fonts.PkGlyphs.begin() + fonts.PkGlyphBounds[font + 1];
      const auto found = std::lower_bound(first, last, code, [](const PkGlyph& g, int c) {
        return g.Code < c;
      });
      if (found != last && found->Code == code) glyph = &*found;
    }
    const std::int32_t advance = glyph != nullptr ? glyph->Advance : 0;
    const DviRegisters& p = doc_.Scan.Position;
    const std::int32_t quad = std::max<std::int32_t>(pk.ScaledSize, 1);
    TextBox box = CellAt(p.H, p.V, advance, NearestInt(kAscentQuads * quad),
                         NearestInt(kDescentQuads * quad));
    if (glyph != nullptr && glyph->Width > 0 && glyph->Height > 0) {
      const std::int32_t x = PixelX(p.H) - glyph->XOffset;
      const std::int32_t y = PixelY(p.V) - glyph->YOffset;
      box.Add({x, y, x + glyph->Width, y + glyph->Height});
    }
    Set(CharacterText(encodings_[font], code), box, advance, quad);
    return advance;
  }

  std::int32_t ChineseCharacter(const ChineseCode& code) override {
    const ChineseFont& font =
        doc_.Fonts.ChineseFonts[static_cast<std::size_t>(doc_.Scan.ChineseFontIndex)];
    // The nominal cell, as the scanner places the glyph's box in it.
    const DviRegisters& p = doc_.Scan.Position;
    const std::int32_t ascent =
        doc_.Dvi.Mer2Dvi ? font.PixelHeight - 1 : (4 * font.PixelHeight + 3) / 5;
    const std::int32_t x = PixelX(p.H);
    const std::int32_t top = PixelY(p.V) - ascent;
    const TextBox box{x, top, x + font.PixelWidth, top + font.PixelHeight};
    const char32_t character = UnicodeOfChineseCode(code.Slot, code.Index);
    Set(std::u32string_view(&character, 1), box, font.DesignSize,
        std::max<std::int32_t>(font.DesignSize, 1));
    return font.DesignSize;
  }

  void Rule(std::int32_t height, std::int32_t width) override {
    if (height <= 0 || width <= 0) return;
    const DviRegisters& p = doc_.Scan.Position;
    const std::int32_t left = PixelX(p.H);
    const std::int32_t bottom = PixelY(p.V) + 1;
    const std::int32_t right = std::max(PixelX(p.H + width), left + 1);
    const std::int32_t top = std::min(PixelY(p.V - height) + 1, bottom - 1);
    links_.Ink({left, top, right, bottom}, p.V, 0);
  }

  void Special(std::string_view text) override {
    if (text.substr(0, 5) == "ZiTi=") {
      ApplyZitiLetter(doc_.Scan.Ziti, text.size() > 5 ? static_cast<unsigned char>(text[5]) : 0,
                      doc_.Report.Lang());
      return;
    }
    if (const std::optional<LinkSpecial> link = ParseLinkSpecial(text)) {
      const DviRegisters& p = doc_.Scan.Position;
      links_.Mark(*link, p.H, p.V);
    }
  }

  void LongSpecial(std::string_view text, bool whole) override {
    if (whole) Special(text);
  }

  [[noreturn]] void Forbidden() override {
    AbortDocument(Format(doc_.Say(kForbiddenOnPage), page_));
  }

 private:
  std::int32_t PixelX(std::int64_t h) const { return NearestInt(h * doc_.Dvi.ConversionX); }
  std::int32_t PixelY(std::int64_t v) const { return NearestInt(v * doc_.Dvi.ConversionY); }

  // The box from the reference point across the advance, `ascent` DVI
  // units up and `descent` down.
  TextBox CellAt(std::int32_t h, std::int32_t v, std::int32_t advance, std::int32_t ascent,
                 std::int32_t descent) const {
    const std::int64_t end = static_cast<std::int64_t>(h) + advance;
    return {PixelX(std::min<std::int64_t>(h, end)), PixelY(static_cast<std::int64_t>(v) - ascent),
            PixelX(std::max<std::int64_t>(h, end)), PixelY(static_cast<std::int64_t>(v) + descent)};
  }

  void Set(std::u32string_view text, const TextBox& box, std::int32_t advance, std::int32_t quad) {
    const DviRegisters& p = doc_.Scan.Position;
    links_.Ink(box, p.V, quad);
    // Pieces of larger symbols and unassigned codes have no text.
    if (text.empty()) return;
    TextCharacter character;
    character.Text = text;
    character.Box = box;
    character.H = p.H;
    character.V = p.V;
    character.Advance = advance;
    character.Quad = quad;
    text_.Characters.push_back(std::move(character));
  }

  ScanDocument& doc_;
  int page_;
  PageText& text_;
  LinkCollector links_;
  std::vector<FontEncoding> encodings_;  // by index in the PK font table
};

// The scan state a page starts from, as the scan that draws it sets it.
void StartPageAt(ScanDocument& doc, const PageEntry& entry) {
  ScanState& state = doc.Scan;
  state.FontIndex = -1;
  state.FontSelected = false;
  state.PendingByte = -1;
  state.Ziti.Depth = 0;
  state.Ziti.Current = entry.Ziti;
  state.Position = DviRegisters{};
  state.StackDepth = 0;
  state.PacketStack.clear();
}

}  // namespace

std::optional<PageText> ReadPageText(ScanDocument& doc, int page, std::string* problem) {
  DviDocument& document = doc.Dvi;
  if (!document.Loaded || page < 0 || static_cast<std::size_t>(page) >= document.Pages.size()) {
    if (problem != nullptr) *problem = doc.Say(kNoPageToRead);
    return std::nullopt;
  }
  PageText text;
  try {
    ReopenDviFile(doc);
    const PageEntry& entry = document.Pages[static_cast<std::size_t>(page)];
    StartPageAt(doc, entry);
    document.Reader.Seek(document.Base + entry.Offset);
    TextPass pass(doc, page, text);
    ReadPageCommands(doc, pass);
  } catch (const DocumentAbort& abort) {
    if (problem != nullptr) *problem = abort.Message;
    return std::nullopt;
  } catch (const std::bad_alloc&) {
    if (problem != nullptr) *problem = doc.Say(kMemoryError);
    return std::nullopt;
  }
  AttachMarks(text.Characters);
  std::erase_if(text.Links, [](const PageLink& link) { return link.Rectangles.empty(); });
  return text;
}

}  // namespace mox
