// The pre-scan and the page scan on small documents written command by
// command: what items a page gives, where, and how every fatal error and
// every question ends.
#include "previewer/dvi/page_scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "previewer/dvi/page_buffer.h"
#include "previewer/render/preview_document.h"
#include "tests/support/bmf_writer.h"
#include "tests/support/document_fixture.h"
#include "tests/support/dvi_writer.h"

namespace mox::test {
namespace {

constexpr std::int32_t kPoint = 65536;   // one pt in DVI units: one pixel at 72.27 dpi
constexpr std::uint32_t kPkFont = 0;
constexpr std::uint32_t kSong = 1;       // ccfntA24: 24 by 24 pixel cells
constexpr std::uint32_t kDummy = 2;
constexpr std::uint32_t kSmall = 3;      // ccfntB12: 12 by 12

std::vector<DviFontDef> Fonts() {
  return {
      {.Number = kPkFont, .Name = "cmr10"},
      {.Number = kSong, .Checksum = 24 << 20, .ScaledSize = 24 * kPoint,
       .DesignSize = 24 * kPoint, .Name = "ccfntA24"},
      {.Number = kDummy, .Name = "ccdummy"},
      {.Number = kSmall, .Checksum = 12 << 20, .ScaledSize = 12 * kPoint,
       .DesignSize = 12 * kPoint, .Name = "ccfntB12"},
  };
}

// A writer with the preamble and every page's font definitions ready.
DviWriter NewDocument(const std::string& comment = "scanner test") {
  DviWriter dvi;
  dvi.Preamble(comment);
  return dvi;
}

void Finish(DviWriter& dvi) { dvi.Finish({.Fonts = Fonts()}); }

std::vector<PageItem> ItemsOfKind(const std::vector<PageItem>& items, std::int16_t kind) {
  std::vector<PageItem> found;
  std::copy_if(items.begin(), items.end(), std::back_inserter(found),
               [kind](const PageItem& item) { return item.Kind == kind; });
  return found;
}

class ScannerTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    doc_.Settings.ResolutionX = 72.27;
    doc_.Settings.ResolutionY = 72.27;
  }

  // Opens and pre-scans; 0 when both succeed.
  int Load(DviWriter& dvi) {
    if (OpenBytes(dvi.Data()) != 0) return 1;
    return PreScan(doc_);
  }

  std::vector<PageItem> Scan(int page) {
    EXPECT_EQ(ScanPage(doc_, page), 0) << (ui_.Boxes.empty() ? "" : ui_.Boxes.back().Text);
    return doc_.Page.Items;
  }

  // Gives every PK glyph of the document a size and an advance, as loading
  // its font would.
  void LoadPkGlyphs(std::int16_t width, std::int16_t height, std::int32_t advance) {
    for (PkGlyph& glyph : doc_.Fonts.PkGlyphs) {
      glyph.Width = width;
      glyph.Height = height;
      glyph.XOffset = 1;
      glyph.YOffset = static_cast<std::int16_t>(height - 2);
      glyph.Advance = advance;
    }
  }

  std::vector<std::string> Captions() const { return ui_.Captions; }
};

TEST_F(ScannerTest, PkCharactersMoveByTheirAdvanceAndPutDoesNot) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Down(50 * kPoint).Right(10 * kPoint).Font(kPkFont)
      .SetChar('A').Set('B', 1).Put('C', 1).SetChar('D')
      .Set(300, 2).Put(70000, 3).SetChar('E').EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  LoadPkGlyphs(7, 9, 8 * kPoint);
  const std::vector<PageItem> items = Scan(0);
  const std::vector<PageItem> chars = ItemsOfKind(items, ItemPkChar);
  ASSERT_EQ(chars.size(), 5u);  // set2 and put3 give nothing
  const int expected_x[] = {10, 18, 26, 26, 34};
  for (std::size_t i = 0; i < chars.size(); ++i) {
    EXPECT_EQ(chars[i].X, expected_x[i] - 1) << i;  // less the glyph's x offset
    EXPECT_EQ(chars[i].Y, 50 - 7) << i;
    EXPECT_EQ(chars[i].Width, 7);
    EXPECT_EQ(chars[i].Height, 9);
    EXPECT_EQ(chars[i].Baseline, 7);
  }
  EXPECT_EQ(doc_.Fonts.PkGlyphs[chars[0].Ref()].Code, 'A');
  EXPECT_EQ(doc_.Fonts.PkGlyphs[chars[2].Ref()].Code, 'C');
  EXPECT_EQ(items.back().Kind, ItemEnd);
  // Only the characters the page uses have glyph records, in code order.
  ASSERT_EQ(doc_.Fonts.PkGlyphs.size(), 5u);
  EXPECT_EQ(doc_.Fonts.PkGlyphBounds, (std::vector<std::uint32_t>{0, 5}));
}

TEST_F(ScannerTest, RulesRoundUpToOnePixelAndOnlySetRuleMoves) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Down(40 * kPoint).Font(kPkFont)
      .SetRule(1, 1).PutRule(3 * kPoint, 5 * kPoint).SetRule(2 * kPoint, 4 * kPoint)
      .SetRule(0, 9 * kPoint).SetRule(kPoint, -kPoint).SetChar('x').EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  LoadPkGlyphs(1, 1, 0);
  const std::vector<PageItem> items = Scan(0);
  const std::vector<PageItem> rules = ItemsOfKind(items, ItemRule);
  ASSERT_EQ(rules.size(), 3u);  // the rules with a side of 0 or less leave nothing
  EXPECT_EQ(rules[0].Width, 1);
  EXPECT_EQ(rules[0].Height, 1);
  EXPECT_EQ(rules[0].X, 0);
  EXPECT_EQ(rules[0].Y, 40);
  EXPECT_EQ(rules[1].Width, 5);
  EXPECT_EQ(rules[1].Height, 3);
  EXPECT_EQ(rules[1].Y, 40 - 3 + 1);
  EXPECT_EQ(rules[1].Baseline, 2);
  EXPECT_EQ(rules[2].X, 0);  // put_rule did not move; the 1 sp of the first rule rounds away
  // The character comes after the widths of the set rules: 1 sp + 4 + 9 - 1 pt.
  EXPECT_EQ(ItemsOfKind(items, ItemPkChar)[0].X, 12 - 1);
}

// A page of Chinese text in font kSong and ziti A (a page starts with the
// ziti of the page before, which is "@" for the first).
DviWriter ChinesePage(const std::vector<int>& bytes) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Down(100 * kPoint).Font(kSong).Special("ZiTi=A");
  for (int byte : bytes) dvi.SetChar(static_cast<std::uint32_t>(byte));
  dvi.EndPage();
  Finish(dvi);
  return dvi;
}

TEST_F(ScannerTest, ChineseCharactersAdvanceByTheDesignSizeOnTheirSecondByte) {
  // Row 16 cell 1 and row 16 cell 2 of ziti A (slot 2).
  DviWriter dvi = ChinesePage({48, 33, 48, 34});
  ASSERT_EQ(Load(dvi), 0);
  const std::vector<PageItem> chars = ItemsOfKind(Scan(0), ItemChineseChar);
  ASSERT_EQ(chars.size(), 2u);
  EXPECT_EQ(chars[0].X, 0);
  EXPECT_EQ(chars[1].X, 24);
  EXPECT_EQ(chars[0].Width, 24);
  EXPECT_EQ(chars[0].Height, 24);
  EXPECT_EQ(chars[0].Y, 100 - (4 * 24 + 3) / 5);
  EXPECT_EQ(chars[0].Baseline, (4 * 24 + 3) / 5);
  EXPECT_EQ(SlotOfRef(chars[0].Ref()), 2);
  const std::vector<ChineseGlyph>& glyphs = doc_.Fonts.Slots[2].Glyphs;
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs[IndexOfRef(chars[1].Ref())].CodeIndex, 1);
}

TEST_F(ScannerTest, AnInterruptedPairDropsItsFirstByteWithAStatusLine) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Down(100 * kPoint).Font(kSong).Special("ZiTi=A")
      .SetChar(48).Right(kPoint).SetChar(48).SetChar(35).EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  const std::vector<PageItem> chars = ItemsOfKind(Scan(0), ItemChineseChar);
  ASSERT_EQ(chars.size(), 1u);
  EXPECT_EQ(chars[0].X, 1);
  EXPECT_EQ(doc_.Fonts.Slots[2].Glyphs[0].CodeIndex, 2);
  EXPECT_NE(std::find(ui_.Captions.begin(), ui_.Captions.end(),
                      "Incomplete Chinese character(s) ignored"),
            ui_.Captions.end());
}

TEST_F(ScannerTest, RealGlyphBoxesAreCentredOnTheNominalCell) {
  // A TrueType face that makes the 24-pixel cells 26 by 26.
  for (int ziti = 0; ziti < kFaceTableEntries; ++ziti) {
    test::ServeWithFace(doc_.Faces, ziti, 26.0 / 26.4);
  }
  DviWriter dvi = ChinesePage({48, 33});
  ASSERT_EQ(Load(dvi), 0);
  const std::vector<PageItem> chars = ItemsOfKind(Scan(0), ItemChineseChar);
  ASSERT_EQ(chars.size(), 1u);
  EXPECT_EQ(chars[0].Width, 26);
  EXPECT_EQ(chars[0].Height, 26);
  EXPECT_EQ(chars[0].X, -1);
  EXPECT_EQ(chars[0].Y, 100 - (4 * 24 + 3) / 5 - 1);
  EXPECT_EQ(chars[0].Baseline, (4 * 26 + 3) / 5);
}

TEST_F(ScannerTest, Mer2DviDocumentsHangCharactersFromTheirTopRow) {
  DviWriter dvi = NewDocument("Mer2Dvi 2.0");
  dvi.BeginPage(1).Down(100 * kPoint).Font(kSong).Special("ZiTi=A").SetChar(53).SetChar(33)
      .EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  const std::vector<PageItem> chars = ItemsOfKind(Scan(0), ItemChineseChar);
  ASSERT_EQ(chars.size(), 1u);
  EXPECT_EQ(SlotOfRef(chars[0].Ref()), 2);  // row 21 is the first character of a level here
  EXPECT_EQ(chars[0].Y, 100 - 23);
  EXPECT_EQ(chars[0].Baseline, 23);
}

TEST_F(ScannerTest, InvalidChineseCodesAskWhetherToContinue) {
  DviWriter dvi = ChinesePage({122, 33, 48, 33});
  ui_.AnswerNext(platform::kAnswerYes);  // pre-scan
  ui_.AnswerNext(platform::kAnswerYes);  // scan
  ASSERT_EQ(Load(dvi), 0);
  const std::vector<PageItem> chars = ItemsOfKind(Scan(0), ItemChineseChar);
  ASSERT_EQ(chars.size(), 1u);
  EXPECT_EQ(chars[0].X, 0);  // the dropped character did not move h
  ASSERT_EQ(ui_.Boxes.size(), 2u);
  EXPECT_EQ(ui_.Boxes[0].Text, "Warning: invalid Chinese character code ignored\n\nContinue?");

  ui_.Boxes.clear();
  ui_.AnswerNext(platform::kAnswerNo);
  EXPECT_EQ(Load(dvi), 1);
  EXPECT_FALSE(doc_.Dvi.Loaded);
  EXPECT_EQ(ui_.Boxes.size(), 1u);  // the question, and no further message
}

TEST_F(ScannerTest, ZitiSpecialsAndTheDummyFontChooseTheSlot) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Down(100 * kPoint).Font(kSong)
      .Special("ZiTi=K").SetChar(48).SetChar(33)       // slot 2 x 11
      .Special("ZiTi=?").Font(kDummy).SetChar('B')      // ziti 2 by the dummy font
      .Font(kSong).SetChar(88).SetChar(33)              // second level: slot 5
      .Special("ZiTi=>").SetChar(33).SetChar(33)        // a symbol: slot 1
      .Font(kDummy).SetChar('S').EndPage();
  dvi.BeginPage(2).Down(100 * kPoint).Font(kSong).SetChar(48).SetChar(33).EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  std::vector<PageItem> chars = ItemsOfKind(Scan(0), ItemChineseChar);
  ASSERT_EQ(chars.size(), 3u);
  EXPECT_EQ(SlotOfRef(chars[0].Ref()), 22);
  EXPECT_EQ(SlotOfRef(chars[1].Ref()), 5);
  EXPECT_EQ(SlotOfRef(chars[2].Ref()), 1);
  // The next page starts with the ziti its predecessor ended with.
  EXPECT_EQ(doc_.Dvi.Pages[1].Ziti, 'S' - 64);
  chars = ItemsOfKind(Scan(1), ItemChineseChar);
  ASSERT_EQ(chars.size(), 1u);
  EXPECT_EQ(SlotOfRef(chars[0].Ref()), 2 * ('S' - 64));
  // Scanning the first page again starts it afresh.
  EXPECT_EQ(ItemsOfKind(Scan(0), ItemChineseChar).size(), 3u);
}

TEST_F(ScannerTest, TheZitiStackStartsEmptyOnEveryPage) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Special("ZiTi=?").EndPage();
  dvi.BeginPage(2).Special("ZiTi=>").EndPage();
  Finish(dvi);
  EXPECT_EQ(Load(dvi), 1);
  EXPECT_EQ(OnlyError(), "Ziti stack underflow!");
}

TEST_F(ScannerTest, ZitiErrorsAreFatal) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Special("ZiTi=1").EndPage();
  Finish(dvi);
  EXPECT_EQ(Load(dvi), 1);
  EXPECT_EQ(OnlyError(), "Invalid ziti");
}

TEST_F(ScannerTest, SpecialsBecomeImageColourAndEmItems) {
  const std::string image = MakePlainBmf({.Width = 16, .Height = 8, .XOffset = 2, .YOffset = 3},
                                         std::vector<std::string>(8, "\xff\xff"));
  WriteFile(dir_.File("fig1.bmf"), image);
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Down(50 * kPoint).Right(20 * kPoint)
      .Special("BMF=fig1.bmf").Special("BMF=").Special("bmf=missing.bmf")
      .Special("COLOR=").Special("COLOR=3").Special("color=-2,255,0")
      .Special("em:point 7").Special("EM:line 7h,9,1pt").Special("em:line 1,2,3km")
      .Special(std::string(300, 'x')).EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  const std::vector<PageItem> items = Scan(0);
  ASSERT_EQ(items.size(), 6u);  // image, two colours, two em items, end

  // 300 dpi image at 72.27 dpi: 16 by 8 becomes 4 by 2, offsets 2, 3 become 0, 1.
  const PageItem& picture = items[0];
  EXPECT_EQ(picture.Kind, ItemImage);
  EXPECT_EQ(picture.Width, 4);
  EXPECT_EQ(picture.Height, 2);
  EXPECT_EQ(picture.X, 20 - 0);
  EXPECT_EQ(picture.Y, 50 - 1 - 2 + 1);
  EXPECT_EQ(picture.Baseline, 1 + 2 - 1);
  EXPECT_EQ(std::string(ImageNameOf(doc_.Page, picture)), dir_.File("fig1.bmf"));

  EXPECT_EQ(items[1].Kind, ItemColor);
  EXPECT_EQ(items[1].Ref(), 3u);
  EXPECT_EQ(items[2].Ref(), 32769u);

  const PageItem& point = items[3];
  EXPECT_EQ(point.Kind, ItemEm);
  EXPECT_EQ(point.Ref(), 7u);
  EXPECT_EQ(point.X, 20);
  EXPECT_EQ(point.Y, 50);
  const PageItem& line = items[4];
  EXPECT_EQ(line.Ref() >> 24, 1u);
  EXPECT_EQ(line.Ref() & 0xFFFFFF, 256u);  // 1pt at 72.27 dpi is 256/256 pixel
  EXPECT_EQ(line.Width, 7);
  EXPECT_EQ(line.Height, 9);
  EXPECT_EQ(line.X, 0);  // cut h
  EXPECT_EQ(line.Y, 2);  // cut p
  EXPECT_EQ(items[5].Kind, ItemEnd);
}

TEST_F(ScannerTest, EmPointsKeepTheirSubPixelPosition) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Down(10 * kPoint + kPoint / 4).Right(5 * kPoint + kPoint * 3 / 4)
      .Special("em:point 1").Special("em:moveto").EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  const std::vector<PageItem> items = Scan(0);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].X, 6);
  EXPECT_EQ(items[0].Y, 10);
  EXPECT_EQ(items[0].Width, static_cast<std::int16_t>(-0.25 * 32767));
  EXPECT_EQ(items[0].Height, static_cast<std::int16_t>(0.25 * 32767));
  EXPECT_EQ(items[1].Ref(), 3u << 24);
}

TEST_F(ScannerTest, PushAndPopRestoreThePositionAndTheStackIsBounded) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Font(kPkFont).Push().Right(30 * kPoint).W(2 * kPoint).Pop()
      .W0().SetChar('a').EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  LoadPkGlyphs(1, 1, 0);
  // w was set inside the group and restored by pop: w0 adds nothing.
  EXPECT_EQ(ItemsOfKind(Scan(0), ItemPkChar)[0].X, -1);

  DviWriter deep = NewDocument();
  deep.BeginPage(1);
  for (int i = 0; i < 20; ++i) deep.Push();  // the postamble allows 10 + 10
  deep.Push().EndPage();
  deep.Finish({.MaxStack = 10, .Fonts = Fonts()});
  ASSERT_EQ(Load(deep), 0);
  EXPECT_EQ(ScanPage(doc_, 0), 1);
  EXPECT_EQ(ui_.Boxes.back().Text, "Forbidden command found while scanning page 0");

  DviWriter unbalanced = NewDocument();
  unbalanced.BeginPage(1).EndPage().BeginPage(2).Pop().EndPage();
  Finish(unbalanced);
  ASSERT_EQ(Load(unbalanced), 0);
  EXPECT_EQ(ScanPage(doc_, 1), 1);
  EXPECT_EQ(ui_.Boxes.back().Text, "Forbidden command found while scanning page 1");
  EXPECT_FALSE(doc_.Dvi.Loaded);
}

TEST_F(ScannerTest, ForbiddenCommandsWhileMeasuring) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Byte(250).EndPage();
  Finish(dvi);
  EXPECT_EQ(Load(dvi), 1);
  EXPECT_EQ(OnlyError(), "Forbidden command found while scanning");
}

TEST_F(ScannerTest, UnselectedPagesAreReadOnlyWhenTheDocumentHasChineseFonts) {
  doc_.Settings.ParityFilter = 1;  // odd pages only
  DviWriter western = NewDocument();
  western.BeginPage(1).EndPage().BeginPage(2).Byte(250).EndPage().BeginPage(3).EndPage();
  western.Finish({.Fonts = {{.Number = 0, .Name = "cmr10"}}});
  EXPECT_EQ(Load(western), 0);
  EXPECT_EQ(std::count(ui_.Captions.begin(), ui_.Captions.end(), "Skipping page 2"), 0);

  DviWriter chinese = NewDocument();
  chinese.BeginPage(1).EndPage().BeginPage(2).Byte(250).EndPage().BeginPage(3).EndPage();
  Finish(chinese);
  ui_.Boxes.clear();
  EXPECT_EQ(Load(chinese), 1);
  EXPECT_EQ(OnlyError(), "Forbidden command found while scanning");
  EXPECT_EQ(std::count(ui_.Captions.begin(), ui_.Captions.end(), "Skipping page 2"), 1);
}

TEST_F(ScannerTest, CharactersOfPagesThatWereNotMeasuredAreMissing) {
  doc_.Settings.ParityFilter = 1;
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).EndPage().BeginPage(2).Font(kPkFont).SetChar('q').EndPage()
      .BeginPage(3).EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  EXPECT_EQ(ScanPage(doc_, 1), 1);
  EXPECT_EQ(OnlyError(), "Forbiden char. no. found");
}

TEST_F(ScannerTest, ChineseCharactersOfPagesThatWereNotMeasuredAreMissing) {
  doc_.Settings.ParityFilter = 1;
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).EndPage().BeginPage(2).Font(kSong).SetChar(48).SetChar(33).EndPage()
      .BeginPage(3).EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  EXPECT_EQ(ScanPage(doc_, 1), 1);
  EXPECT_EQ(OnlyError(), "Forbiden cc no. found");
}

TEST_F(ScannerTest, AFileThatWentAwayCannotBeScanned) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  // The previewer lets go of the file between page scans.
  doc_.Dvi.Reader.Close();
  ASSERT_TRUE(platform::Files().Remove(path_));
  EXPECT_EQ(ScanPage(doc_, 0), 1);
  EXPECT_EQ(OnlyError(), "Cannot reopen DVI file!");
  EXPECT_FALSE(doc_.Dvi.Loaded);
}

TEST_F(ScannerTest, UndefinedFontsStopTheScan) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Font(9).EndPage();
  Finish(dvi);
  EXPECT_EQ(Load(dvi), 1);
  EXPECT_EQ(OnlyError().rfind("Undefined font no.: 9, location=", 0), 0u);
}

TEST_F(ScannerTest, CharactersBeforeAnyFontIsSelectedArePassedOver) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).SetChar('a').Font(kPkFont).SetChar('b').EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  const std::vector<PageItem> chars = ItemsOfKind(Scan(0), ItemPkChar);
  ASSERT_EQ(chars.size(), 1u);
  EXPECT_EQ(doc_.Fonts.PkGlyphs[chars[0].Ref()].Code, 'b');
}

TEST_F(ScannerTest, TheBufferFitsTheLargestPage) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Font(kPkFont).SetChar('a').EndPage();
  dvi.BeginPage(2).Font(kPkFont);
  for (int i = 0; i < 50; ++i) dvi.SetChar('b').Special("COLOR=1").SetRule(kPoint, kPoint);
  dvi.EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  EXPECT_EQ(doc_.Page.Capacity, 151u);
  EXPECT_EQ(Scan(1).size(), 151u);
  EXPECT_EQ(Scan(0).size(), 2u);
}

TEST_F(ScannerTest, SecondLevelCharactersOfZitiAtShareTheSymbolSlotSafely) {
  // Under ziti "@" a second-level character goes to slot 2 x 0 + 1, the
  // symbol slot, with an index beyond the symbols' range.
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Down(100 * kPoint).Font(kSong).SetChar(119).SetChar(126).EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  const std::vector<PageItem> chars = ItemsOfKind(Scan(0), ItemChineseChar);
  ASSERT_EQ(chars.size(), 1u);
  EXPECT_EQ(SlotOfRef(chars[0].Ref()), 1);
  EXPECT_EQ(doc_.Fonts.Slots[1].Glyphs[0].CodeIndex, 8177 - 5170);
}

TEST_F(ScannerTest, PositionsWrapAroundInsteadOfOverflowing) {
  DviWriter dvi = NewDocument();
  dvi.BeginPage(1).Font(kPkFont).Right(2147483647).Right(2147483647).W(-2147483647 - 1)
      .W0().Down(-2147483647 - 1).Down(-2147483647 - 1).SetChar('a').EndPage();
  Finish(dvi);
  ASSERT_EQ(Load(dvi), 0);
  LoadPkGlyphs(1, 1, 0);
  EXPECT_EQ(ItemsOfKind(Scan(0), ItemPkChar).size(), 1u);
}

TEST_F(ScannerTest, ReopeningStartsTheFirstPageWithZitiZero) {
  DviWriter first = NewDocument();
  first.BeginPage(1).Special("ZiTi=K").EndPage();
  Finish(first);
  ASSERT_EQ(Load(first), 0);
  DviWriter second = ChinesePage({48, 33});
  ASSERT_EQ(Load(second), 0);
  EXPECT_EQ(doc_.Dvi.Pages[0].Ziti, 0);
}

}  // namespace
}  // namespace mox::test
