#include "previewer/dvi/page_scanner.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "platform/text_format.h"
#include "previewer/base/document_abort.h"
#include "previewer/dvi/bmf_image.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/em_graphics.h"
#include "previewer/dvi/page_commands.h"
#include "previewer/dvi/page_frame.h"
#include "previewer/dvi/driver_specials.h"
#include "previewer/dvi/scan_driver_specials.h"
#include "previewer/dvi/scan_figures.h"
#include "previewer/dvi/source_specials.h"
#include "previewer/startup/options.h"
#include "previewer/startup/page_selection.h"
#include "previewer/dvi/dvi_texts.h"
#include "previewer/dvi/scan_document.h"

namespace mox {
namespace {

constexpr std::size_t kImageNameNeed = kImageNameBufferSize;

// Pixel values of a page are 16-bit; larger pages are not supported, and
// their values are held at the edge of the range rather than wrapped.
std::int16_t Clamp16(double value) {
  if (!(value > -32768.0)) return -32768;
  if (value > 32767.0) return 32767;
  return static_cast<std::int16_t>(value);
}
std::int16_t Clamp16(std::int64_t value) {
  return static_cast<std::int16_t>(std::clamp<std::int64_t>(value, -32768, 32767));
}

std::int64_t PixelX(const DviDocument& document, std::int32_t h) {
  return NearestInt(h * document.ConversionX);
}
std::int64_t PixelY(const DviDocument& document, std::int32_t v) {
  return NearestInt(v * document.ConversionY);
}

// Measures a page: counts the items the scan will make and the image names
// it will store, and marks the characters it uses.
class MeasurePass final : public PagePass {
 public:
  MeasurePass(ScanDocument& doc, bool measure, std::int32_t page)
      : doc_(doc), measure_(measure), page_(page) {
    // The scan starts a page with its colour when that is not black.
    if (!IsBlack(doc.Scan.Colors.Current())) ++Items;
  }

  std::size_t Items = 1;  // the ItemEnd
  std::size_t ImageNeed = 0;

  bool TracksPosition() const override { return false; }
  bool HandlesCharacters() const override { return measure_; }

  std::int32_t PkCharacter(int code) override {
    const ScanState& state = doc_.Scan;
    std::vector<std::uint8_t>& used = doc_.Fonts.PkUsed[static_cast<std::size_t>(state.FontIndex)];
    used[static_cast<std::size_t>(code) >> 3] |= static_cast<std::uint8_t>(1u << (code & 7));
    ++Items;
    return 0;
  }

  std::int32_t ChineseCharacter(const ChineseCode& code) override {
    FontRegistry& fonts = doc_.Fonts;
    const std::size_t font_count = fonts.ChineseFonts.size();
    ChineseSlot& slot = fonts.Slots[static_cast<std::size_t>(code.Slot)];
    if (slot.Used.empty()) slot.Used.assign((font_count * SlotCapacity(code.Slot) + 7) / 8, 0);
    const std::size_t bit = static_cast<std::size_t>(code.Index) * font_count +
                            static_cast<std::size_t>(doc_.Scan.ChineseFontIndex);
    slot.Used[bit >> 3] |= static_cast<std::uint8_t>(1u << (bit & 7));
    ++Items;
    return 0;
  }

  void Rule(std::int32_t, std::int32_t) override {
    if (measure_) ++Items;
  }

  void Special(std::string_view text) override {
    if (text.substr(0, 5) == "ZiTi=") {
      ApplyZitiLetter(doc_.Scan.Ziti, text.size() > 5 ? static_cast<unsigned char>(text[5]) : 0,
                      doc_.Report.Lang());
      return;
    }
    if (!IsMoxSpecial(text)) {
      Driver(text, true);
      return;
    }
    if (!measure_) return;
    if (StartsWithNoCase(text, "BMF=") && text.size() >= 5) {
      ++Items;
      ImageNeed += kImageNameNeed;
    } else if (StartsWithNoCase(text, "COLOR=") && text.size() >= 7) {
      ++Items;
    } else if (StartsWithNoCase(text, "em:")) {
      EmCommand command;
      if (ParseEm(text.substr(3), doc_.Settings.ResolutionX, command) >= 0) ++Items;
    } else if (const std::optional<SourceSpecial> source = ParseSourceSpecial(text)) {
      ++Items;
      if (page_ >= 0) AddSourceMark(doc_.Dvi, static_cast<std::uint32_t>(page_), *source);
    }
  }

  void LongSpecial(std::string_view text, bool whole) override { Driver(text, whole); }

  [[noreturn]] void Forbidden() override {
    AbortDocument(doc_.Say(kForbiddenWhileScanning));
  }

  // Unselected pages are read for their colours too, which run on.
  void Driver(std::string_view text, bool whole) {
    if (whole && ClassifyDriverSpecial(text) == DriverSpecial::Figure) {
      if (measure_) ++Items;  // the figure's item
      return;
    }
    if (FollowDriverSpecial(doc_, text, whole, page_, measure_) && measure_) ++Items;
  }

  // Code indices a slot's set must hold. Slot 1 holds the symbols, and with
  // ziti "@" (2 x 0 + 1) also the second-level characters, whose range is
  // the larger one: its set is sized for both.
  std::int32_t SlotCapacity(int slot) const {
    if (IsUnicodeSlot(slot)) return kUnicodeSlotCapacity;
    const DviDocument& document = doc_.Dvi;
    const std::int32_t first_level = document.Boundary2 - document.Boundary1;
    const std::int32_t second_level = document.Boundary3 - document.Boundary2;
    if (slot == 1) return std::max(document.Boundary1, second_level);
    return slot % 2 == 0 ? first_level : second_level;
  }

 private:
  ScanDocument& doc_;
  bool measure_;
  std::int32_t page_;
};

// Scans a page into the page buffer.
class ScanPass final : public PagePass {
 public:
  ScanPass(ScanDocument& doc, int page) : doc_(doc), page_(page) {
    // The page's source specials are the marks of its page, in order.
    const std::vector<SourceMark>& marks = doc_.Dvi.SourceMarks;
    next_mark_ = static_cast<std::uint32_t>(
        std::lower_bound(marks.begin(), marks.end(), static_cast<std::uint32_t>(page),
                         [](const SourceMark& mark, std::uint32_t p) { return mark.Page < p; }) -
        marks.begin());
  }

  bool TracksPosition() const override { return true; }
  bool HandlesCharacters() const override { return true; }

  std::int32_t PkCharacter(int code) override {
    const FontRegistry& fonts = doc_.Fonts;
    const std::size_t font = static_cast<std::size_t>(doc_.Scan.FontIndex);
    const auto first = fonts.PkGlyphs.begin() + fonts.PkGlyphBounds[font];
    const auto last = fonts.PkGlyphs.begin() + fonts.PkGlyphBounds[font + 1];
    const auto glyph = std::lower_bound(first, last, code, [](const PkGlyph& g, int c) {
      return g.Code < c;
    });
    if (glyph == last || glyph->Code != code) {
      AbortDocument(doc_.Say(kForbiddenCharacter));
    }
    const DviRegisters& p = doc_.Scan.Position;
    PageItem item{};
    item.Width = glyph->Width;
    item.Height = glyph->Height;
    item.X = Clamp16(PixelX(doc_.Dvi, p.H) - glyph->XOffset);
    item.Y = Clamp16(PixelY(doc_.Dvi, p.V) - glyph->YOffset);
    item.Baseline = glyph->YOffset;
    item.SetRef(static_cast<std::uint32_t>(glyph - fonts.PkGlyphs.begin()));
    item.Kind = ItemPkChar;
    Add(item);
    return glyph->Advance;
  }

  std::int32_t ChineseCharacter(const ChineseCode& code) override {
    const FontRegistry& fonts = doc_.Fonts;
    const DviDocument& document = doc_.Dvi;
    const int font_index = doc_.Scan.ChineseFontIndex;
    const ChineseFont& font = fonts.ChineseFonts[static_cast<std::size_t>(font_index)];
    // Sizes from a broken file can be near the 32-bit limits: compute wide.
    const std::int64_t nominal_width = font.PixelWidth;
    const std::int64_t nominal_height = font.PixelHeight;
    const DviRegisters& p = doc_.Scan.Position;
    std::int64_t x = PixelX(doc_.Dvi, p.H);
    const std::int64_t ascent =
        document.Mer2Dvi ? nominal_height - 1 : (4 * nominal_height + 3) / 5;
    std::int64_t top = PixelY(doc_.Dvi, p.V) - ascent;

    const std::vector<ChineseGlyph>& glyphs = fonts.Slots[static_cast<std::size_t>(code.Slot)].Glyphs;
    const auto glyph = std::lower_bound(
        glyphs.begin(), glyphs.end(), std::make_pair(code.Index, font_index),
        [](const ChineseGlyph& g, const std::pair<std::int32_t, int>& key) {
          return g.CodeIndex < key.first || (g.CodeIndex == key.first && g.Font < key.second);
        });
    if (glyph == glyphs.end() || glyph->CodeIndex != code.Index || glyph->Font != font_index) {
      AbortDocument(doc_.Say(kForbiddenChinese));
    }
    const GlyphSize box = ChineseGlyphSize(doc_, code.Slot, font.PixelWidth, font.PixelHeight);
    const std::int64_t width = box.Width;
    const std::int64_t height = box.Height;
    // The real glyph box is centred on the nominal one.
    x -= (width - nominal_width + 1) / 2;
    top -= (height - nominal_height + 1) / 2;
    PageItem item{};
    item.Width = Clamp16(width);
    item.Height = Clamp16(height);
    item.X = Clamp16(x);
    item.Y = Clamp16(top);
    item.Baseline = Clamp16(document.Mer2Dvi ? height - 1 : (4 * height + 3) / 5);
    item.SetRef(ChineseGlyphRef(code.Slot, static_cast<std::uint32_t>(glyph - glyphs.begin())));
    item.Kind = ItemChineseChar;
    Add(item);
    return font.DesignSize;
  }

  void Rule(std::int32_t height, std::int32_t width) override {
    // A rule with a side of zero or less leaves no mark.
    if (height <= 0 || width <= 0) return;
    std::int64_t w = NearestInt(width * doc_.Dvi.ConversionX);
    std::int64_t h = NearestInt(height * doc_.Dvi.ConversionY);
    if (w == 0) w = 1;
    if (h == 0) h = 1;
    const DviRegisters& p = doc_.Scan.Position;
    PageItem item{};
    item.Width = Clamp16(w);
    item.Height = Clamp16(h);
    item.X = Clamp16(PixelX(doc_.Dvi, p.H));
    item.Y = Clamp16(PixelY(doc_.Dvi, p.V) - h + 1);
    item.Baseline = Clamp16(h - 1);
    item.Kind = ItemRule;
    Add(item);
  }

  void Special(std::string_view text) override {
    if (text.substr(0, 5) == "ZiTi=") {
      ApplyZitiLetter(doc_.Scan.Ziti, text.size() > 5 ? static_cast<unsigned char>(text[5]) : 0,
                      doc_.Report.Lang());
    } else if (!IsMoxSpecial(text)) {
      LongSpecial(text, true);
    } else if (StartsWithNoCase(text, "BMF=") && text.size() >= 5) {
      Image(text.substr(4));
    } else if (StartsWithNoCase(text, "COLOR=") && text.size() >= 7) {
      if (const std::optional<PageItem> color = ParseColorSpecial(text.substr(6))) Add(*color);
    } else if (StartsWithNoCase(text, "em:")) {
      Em(text.substr(3));
    } else if (ParseSourceSpecial(text)) {  // the specials the pre-scan kept
      Source();
    }
  }

  void LongSpecial(std::string_view text, bool whole) override {
    if (whole && ClassifyDriverSpecial(text) == DriverSpecial::Figure) {
      const DviRegisters& p = doc_.Scan.Position;
      if (const std::optional<PageItem> figure =
              FigureItem(doc_, text, p.H * doc_.Dvi.ConversionX, p.V * doc_.Dvi.ConversionY)) {
        Add(*figure);
      }
      return;
    }
    if (FollowDriverSpecial(doc_, text, whole, page_, false)) Color(doc_.Scan.Colors.Current());
  }

  [[noreturn]] void Forbidden() override {
    AbortDocument(Format(doc_.Say(kForbiddenOnPage), page_));
  }

  void Add(const PageItem& item) { doc_.Page.Items.push_back(item); }

  // The colour from here on; a page with any colour but black is drawn in
  // colour.
  void Color(RgbColor color) {
    PageItem item{};
    item.SetRef(static_cast<std::uint32_t>(color.R) << 16 | static_cast<std::uint32_t>(color.G) << 8 |
                color.B);
    item.Kind = ItemDvipsColor;
    Add(item);
    if (!IsBlack(color)) doc_.Page.Coloured = true;
  }

 private:
  void Image(std::string_view name_text) {
    std::string name(name_text);
    TruncateGbk(name, kImageNameBufferSize - 1);
    ImageHeader header;
    if (LocateImage(doc_.Dvi, name) != 0 || OpenImage(doc_.Image, doc_.Dvi, name, header) < 0) {
      return;
    }
    if (header.ResolutionX == 0 || header.ResolutionY == 0) return;
    const Options& options = doc_.Settings;
    const double magnification = doc_.Dvi.Magnification / 1000.0;
    const double sx = options.ResolutionX / (header.ResolutionX / 65536.0) * magnification;
    const double sy = options.ResolutionY / (header.ResolutionY / 65536.0) * magnification;
    const std::int64_t w = NearestInt(header.Width * sx);
    const std::int64_t h = NearestInt(header.Height * sy);
    const std::int64_t xo = NearestInt(header.XOffset * sx);
    const std::int64_t yo = NearestInt(header.YOffset * sy);

    PageBuffer& buffer = doc_.Page;
    const std::size_t offset = buffer.ImageNameTop;
    buffer.ImageNames.resize(std::max(buffer.ImageNames.size(), offset + name.size() + 1));
    std::copy(name.begin(), name.end(), buffer.ImageNames.begin() + static_cast<long>(offset));
    buffer.ImageNames[offset + name.size()] = '\0';
    buffer.ImageNameTop = offset + name.size() + 1;

    const DviRegisters& p = doc_.Scan.Position;
    PageItem item{};
    item.Width = Clamp16(w);
    item.Height = Clamp16(h);
    item.X = Clamp16(PixelX(doc_.Dvi, p.H) - xo);
    item.Y = Clamp16(PixelY(doc_.Dvi, p.V) - yo - h + 1);
    item.Baseline = Clamp16(yo + h - 1);
    item.SetRef(static_cast<std::uint32_t>(offset));
    item.Kind = ItemImage;
    Add(item);
  }

  void Source() {
    const std::uint32_t mark = next_mark_++;
    const std::vector<SourceMark>& marks = doc_.Dvi.SourceMarks;
    if (mark >= marks.size() || marks[mark].Page != static_cast<std::uint32_t>(page_)) return;
    const DviRegisters& p = doc_.Scan.Position;
    PageItem item{};
    item.X = Clamp16(PixelX(doc_.Dvi, p.H));
    item.Y = Clamp16(PixelY(doc_.Dvi, p.V));
    item.SetRef(mark);
    item.Kind = ItemSource;
    Add(item);
  }

  void Em(std::string_view text) {
    const Options& options = doc_.Settings;
    EmCommand command;
    const int code = ParseEm(text, options.ResolutionX, command);
    if (code < 0) return;
    const DviDocument& document = doc_.Dvi;
    PageItem item{};
    item.Kind = ItemEm;
    std::uint32_t argument = 0;
    if (code == EmLine || code == EmLineWidth) {
      argument = EmWidthUnits(command.WidthInches, options.ResolutionX, document.Magnification);
      if (code == EmLine) {
        item.Width = static_cast<std::int16_t>(command.Point & 0xFFFF);
        item.Height = static_cast<std::int16_t>(command.Point2 & 0xFFFF);
        item.X = static_cast<std::int16_t>(command.Cut1);
        item.Y = static_cast<std::int16_t>(command.Cut2);
      }
    } else {
      // A point, moveto or lineto holds the position with its sub-pixel part.
      const DviRegisters& p = doc_.Scan.Position;
      const double fx = p.H * document.ConversionX;
      const double fy = p.V * document.ConversionY;
      const std::int64_t x = NearestInt(fx);
      const std::int64_t y = NearestInt(fy);
      item.Width = Clamp16((fx - static_cast<double>(x)) * 32767.0);
      item.Height = Clamp16((fy - static_cast<double>(y)) * 32767.0);
      item.X = Clamp16(x);
      item.Y = Clamp16(y);
      if (code == EmPoint) argument = command.Point;
    }
    item.SetRef(EmItemRef(code, argument));
    Add(item);
  }

  ScanDocument& doc_;
  int page_;
  std::uint32_t next_mark_ = 0;
};

// Every set bit of a used-character set, in increasing order.
template <typename Visit>
void ForEachBit(const std::vector<std::uint8_t>& set, Visit&& visit) {
  for (std::size_t byte = 0; byte < set.size(); ++byte) {
    for (unsigned bit = 0; bit < 8; ++bit) {
      if (set[byte] & (1u << bit)) visit(byte * 8 + bit);
    }
  }
}

void BuildGlyphRecords(FontRegistry& fonts) {
  const std::size_t font_count = fonts.ChineseFonts.size();
  for (ChineseSlot& slot : fonts.Slots) {
    slot.Glyphs.clear();
    ForEachBit(slot.Used, [&](std::size_t bit) {
      ChineseGlyph glyph;
      glyph.Font = static_cast<std::uint8_t>(bit % font_count);
      glyph.CodeIndex = static_cast<std::int32_t>(bit / font_count);
      slot.Glyphs.push_back(std::move(glyph));
    });
    slot.Used = {};
  }
  fonts.PkGlyphs.clear();
  fonts.PkGlyphBounds.assign(1, 0);
  for (std::vector<std::uint8_t>& used : fonts.PkUsed) {
    ForEachBit(used, [&](std::size_t code) {
      PkGlyph glyph;
      glyph.Code = static_cast<std::uint8_t>(code);
      fonts.PkGlyphs.push_back(std::move(glyph));
    });
    fonts.PkGlyphBounds.push_back(static_cast<std::uint32_t>(fonts.PkGlyphs.size()));
  }
  fonts.PkUsed = {};
}

// Reads one page from the reader's position, after the per-page reset.
void StartPage(ScanState& state) {
  state.FontIndex = -1;
  state.FontSelected = false;
  state.PendingByte = -1;
  state.Ziti.Depth = 0;
  state.Position = DviRegisters{};
  state.StackDepth = 0;
}

int RunPreScan(ScanDocument& doc) {
  DviDocument& document = doc.Dvi;
  if (!document.Loaded) return 1;
  ReopenDviFile(doc);
  FontRegistry& fonts = doc.Fonts;
  fonts.PkUsed.assign(fonts.PkFonts.size(), std::vector<std::uint8_t>(kPkUsedSetBytes, 0));
  for (ChineseSlot& slot : fonts.Slots) slot = ChineseSlot{};
  doc.Scan = ScanState{};

  std::size_t most_items = 1;
  std::size_t most_image_need = 0;
  document.SourceMarks = std::vector<SourceMark>();
  document.SourceFiles = std::vector<std::string>();
  document.PaperWidthBp = document.PaperHeightBp = 0.0;
  document.Landscape = false;
  document.PaperContentWidth = document.PaperContentHeight = 0;
  doc.Unhandled = UnhandledSpecials{};
  doc.PageStarts.assign(document.Pages.size(), PageColors{});
  for (std::size_t i = 0; i < document.Pages.size(); ++i) {
    PageEntry& page = document.Pages[i];
    page.Ziti = static_cast<std::uint8_t>(doc.Scan.Ziti.Current);
    doc.PageStarts[i] = PageColors{doc.Scan.Colors, doc.Scan.Background};
    const bool selected = doc.IsPageSelected(page.Count0, static_cast<std::int32_t>(i + 1));
    document.Reader.Seek(document.Base + page.Offset);
    if (!selected && fonts.ChineseFonts.empty()) {
      // Read only for the colours, which run on from page to page; such a
      // page was never read, so one it cannot read is passed over as before.
      try {
        MeasurePage(doc, false, static_cast<std::int32_t>(i));
      } catch (const DocumentAbort&) {
      }
      continue;
    }
    doc.Report.Status(Format(doc.Say(selected ? kScanningPage : kSkippingPage),
                             static_cast<long>(page.Count0)));
    const PageMeasure measure = MeasurePage(doc, selected, static_cast<std::int32_t>(i));
    most_items = std::max(most_items, measure.Items);
    most_image_need = std::max(most_image_need, measure.ImageNeed);
  }
  BuildGlyphRecords(fonts);
  SetPaperFrame(doc);
  WarnOfUnhandledSpecials(doc);

  PageBuffer& buffer = doc.Page;
  buffer.Items.clear();
  buffer.Items.reserve(most_items);
  buffer.Capacity = most_items;
  buffer.ImageNames.assign(most_image_need + 1, '\0');
  buffer.ImageNameTop = 0;
  buffer.Stack.assign(document.StackSize, DviRegisters{});
  return 0;
}

int RunScanPage(ScanDocument& doc, int page) {
  DviDocument& document = doc.Dvi;
  if (!document.Loaded) return 1;
  if (page < 0 || static_cast<std::size_t>(page) >= document.Pages.size()) return 1;
  ReopenDviFile(doc);
  PageBuffer& buffer = doc.Page;
  buffer.Items.clear();
  buffer.ImageNameTop = 0;
  buffer.Figures.clear();
  ScanState& state = doc.Scan;
  StartPage(state);
  const PageEntry& entry = document.Pages[static_cast<std::size_t>(page)];
  state.Ziti.Current = entry.Ziti;
  document.Reader.Seek(document.Base + entry.Offset);
  ScanPass pass(doc, page);
  const PageColors start = static_cast<std::size_t>(page) < doc.PageStarts.size()
                               ? doc.PageStarts[static_cast<std::size_t>(page)]
                               : PageColors{};
  state.Colors = start.Colors;
  state.Background = start.Background;
  buffer.Background = start.Background;
  buffer.Coloured = !(start.Background == RgbColor{255, 255, 255});
  if (!IsBlack(start.Colors.Current())) pass.Color(start.Colors.Current());
  ReadPageCommands(doc, pass);
  PageItem end{};
  end.Kind = ItemEnd;
  pass.Add(end);
  WarnOfFigureProblems(doc);
  return 0;
}

}  // namespace

PageMeasure MeasurePage(ScanDocument& doc, bool measure, std::int32_t page) {
  StartPage(doc.Scan);
  MeasurePass pass(doc, measure, page);
  ReadPageCommands(doc, pass);
  return {pass.Items, pass.ImageNeed};
}

int PreScan(ScanDocument& doc, int /*pages_per_group*/) {
  return GuardDocumentOperation(doc, [&doc] { return RunPreScan(doc); });
}

int ScanPage(ScanDocument& doc, int page) {
  return GuardDocumentOperation(doc, [&doc, page] { return RunScanPage(doc, page); });
}

}  // namespace mox
