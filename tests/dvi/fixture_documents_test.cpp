// Documents made by real TeX (tests/fixtures/dvi): what opening, pre-scanning
// and scanning them gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "previewer/dvi/page_buffer.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/fonts/font_file_search.h"
#include "previewer/render/preview_document.h"
#include "tests/support/document_fixture.h"

namespace mox::test {
namespace {

std::string Fixture(const std::string& name) {
  return std::string(MOX_FIXTURES_DIR) + "/dvi/" + name;
}

class FixtureDocumentTest : public DocumentTest {
 protected:
  // Opens and pre-scans a fixture, answering Yes to any question.
  void Load(const std::string& name) {
    for (int i = 0; i < 8; ++i) ui_.AnswerNext(platform::kAnswerYes);
    ASSERT_EQ(OpenDviFile(doc_, Fixture(name)), 0) << (ui_.Boxes.empty() ? "" : ui_.Boxes[0].Text);
    ASSERT_EQ(PreScan(doc_), 0);
  }

  std::vector<PageItem> Scan(int page) {
    EXPECT_EQ(ScanPage(doc_, page), 0);
    return doc_.Page.Items;
  }

  std::size_t Count(const std::vector<PageItem>& items, std::int16_t kind) {
    return static_cast<std::size_t>(std::count_if(
        items.begin(), items.end(), [kind](const PageItem& item) { return item.Kind == kind; }));
  }

  std::vector<std::int32_t> Counts() const {
    std::vector<std::int32_t> counts;
    for (const PageEntry& page : doc_.Dvi.Pages) counts.push_back(page.Count0);
    return counts;
  }
};

TEST_F(FixtureDocumentTest, PlainTeXPages) {
  Load("plain.dvi");
  EXPECT_EQ(Counts(), (std::vector<std::int32_t>{1, -1, 7}));
  EXPECT_EQ(doc_.Dvi.Comment, " TeX output 2000.01.01:0000");
  EXPECT_FALSE(doc_.Dvi.Mer2Dvi);
  ASSERT_EQ(doc_.Fonts.PkFonts.size(), 10u);
  EXPECT_EQ(doc_.Fonts.PkFonts[0].Name, "cmr10");
  EXPECT_TRUE(doc_.Fonts.ChineseFonts.empty());
  EXPECT_EQ(PkResolution(doc_, 0), 600);
  for (int page = 0; page < 3; ++page) {
    const std::vector<PageItem> items = Scan(page);
    EXPECT_GT(Count(items, ItemPkChar), 10u) << page;
    EXPECT_GT(Count(items, ItemRule), 0u) << page;
    EXPECT_EQ(items.back().Kind, ItemEnd);
  }
  EXPECT_TRUE(ui_.Boxes.empty());
}

TEST_F(FixtureDocumentTest, ParityAndSequenceSelectPages) {
  doc_.Settings.ParityFilter = 2;  // even \count0 only: none of 1, -1, 7
  EXPECT_EQ(OpenDviFile(doc_, Fixture("plain.dvi")), 1);
  EXPECT_EQ(OnlyError(), "No page(s) found in the selected range");
  ui_.Boxes.clear();
  doc_.Settings.SequenceMode = 1;  // even positions: page 2 only
  ASSERT_EQ(OpenDviFile(doc_, Fixture("plain.dvi")), 0);
  EXPECT_EQ(Counts(), (std::vector<std::int32_t>{1, -1}));  // page 3 is cut off
}

TEST_F(FixtureDocumentTest, SpecialsOfTheFirstPage) {
  Load("markup.dvi");
  const std::vector<PageItem> items = Scan(0);
  // Seven em: items, three colours; the image file does not exist and the
  // 300-byte special is skipped.
  EXPECT_EQ(Count(items, ItemEm), 7u);
  EXPECT_EQ(Count(items, ItemColor), 3u);
  EXPECT_EQ(Count(items, ItemImage), 0u);
  std::vector<PageItem> ems;
  std::copy_if(items.begin(), items.end(), std::back_inserter(ems),
               [&](const PageItem& item) { return item.Kind == ItemEm; });
  EXPECT_EQ(ems[0].Ref(), 1u);
  EXPECT_EQ(ems[1].Ref(), 2u);
  EXPECT_EQ(ems[1].X - ems[0].X, 600);  // point 2 is an inch to the right
  EXPECT_EQ(ems[2].Ref(), 1u << 24);
}

TEST_F(FixtureDocumentTest, SpecialsThatGiveNoItemOrTestALimit) {
  Load("markup.dvi");
  const std::vector<PageItem> items = Scan(1);
  // em:point 7, em:line 7,8, em:point 8, EM:point 5, em:line 1,2,
  // em:line 7,8, and two linewidths; the 254-byte colour is read.
  EXPECT_EQ(Count(items, ItemEm), 8u);
  ASSERT_EQ(Count(items, ItemColor), 1u);
  const auto colour = std::find_if(items.begin(), items.end(),
                                   [&](const PageItem& item) { return item.Kind == ItemColor; });
  EXPECT_EQ(colour->Ref(), 10u);
}

TEST_F(FixtureDocumentTest, ChineseCharactersFindTheirSlots) {
  Load("chinese.dvi");
  ASSERT_EQ(doc_.Fonts.ChineseFonts.size(), 3u);
  EXPECT_EQ(doc_.Fonts.ChineseFonts[0].PixelWidth, 199);
  EXPECT_EQ(doc_.Fonts.ChineseFonts[2].PixelWidth, 100);
  EXPECT_EQ(doc_.Dvi.Pages[0].Ziti, 0);
  EXPECT_EQ(doc_.Dvi.Pages[1].Ziti, 'K' - 64);
  // The invalid code was asked about once, in the pre-scan.
  ASSERT_EQ(ui_.Boxes.size(), 1u);
  EXPECT_NE(ui_.Boxes[0].Text.find("invalid Chinese character code ignored"), std::string::npos);

  // The first and last characters of each level.
  const std::vector<ChineseGlyph>& first_level = doc_.Fonts.Slots[2].Glyphs;
  EXPECT_EQ(first_level.front().CodeIndex, 0);     // 啊
  const std::vector<ChineseGlyph>& second_level = doc_.Fonts.Slots[3].Glyphs;
  EXPECT_EQ(second_level.front().CodeIndex, 0);    // 亍
  EXPECT_EQ(second_level.back().CodeIndex, 3007);  // 齄
  EXPECT_FALSE(doc_.Fonts.Slots[1].Glyphs.empty());   // symbols
  EXPECT_FALSE(doc_.Fonts.Slots[22].Glyphs.empty());  // ziti K

  ui_.AnswerNext(platform::kAnswerYes);
  const std::vector<PageItem> items = Scan(0);
  EXPECT_GT(Count(items, ItemChineseChar), 40u);
  EXPECT_GT(Count(items, ItemPkChar), 0u);
  EXPECT_NE(std::find(ui_.Captions.begin(), ui_.Captions.end(),
                      "Incomplete Chinese character(s) ignored"),
            ui_.Captions.end());
}

TEST_F(FixtureDocumentTest, StrictAnswerToTheInvalidCodeClosesTheDocument) {
  ui_.AnswerNext(platform::kAnswerNo);
  ASSERT_EQ(OpenDviFile(doc_, Fixture("chinese.dvi")), 0);
  EXPECT_EQ(PreScan(doc_), 1);
  EXPECT_FALSE(doc_.Dvi.Loaded);
  EXPECT_EQ(ui_.Boxes.size(), 1u);  // the question only
}

TEST_F(FixtureDocumentTest, Mer2DviDocumentsUseTheHigherBoundaries) {
  Load("mer2dvi.dvi");
  EXPECT_TRUE(doc_.Dvi.Mer2Dvi);
  EXPECT_EQ(doc_.Dvi.Boundary1, 1880);
  EXPECT_EQ(doc_.Fonts.Slots[2].Glyphs.front().CodeIndex, 0);  // 啊 at 1880
  EXPECT_EQ(doc_.Fonts.Slots[3].Glyphs.back().CodeIndex, 3007);  // 齄 at 8647
  Scan(0);
  // A plain document opened next has the usual boundaries again.
  Load("chinese.dvi");
  EXPECT_EQ(doc_.Dvi.Boundary1, 1410);
}

TEST_F(FixtureDocumentTest, LaTeXDocuments) {
  Load("latex.dvi");
  EXPECT_EQ(Counts(), (std::vector<std::int32_t>{1, 2}));
  EXPECT_EQ(doc_.Fonts.PkFonts.size(), 19u);
  Scan(0);
  Scan(1);
  Load("long.dvi");
  EXPECT_EQ(doc_.Dvi.Pages.size(), 161u);
  EXPECT_EQ(doc_.Dvi.Pages.back().Count0, 161);
  for (int page : {0, 80, 160}) EXPECT_GT(Count(Scan(page), ItemPkChar), 100u);
}

}  // namespace
}  // namespace mox::test

namespace mox::test {
namespace {

// A virtual font over Computer Modern (tests/fixtures/vf), found in the
// fixture folder, drawn at 300 dpi where every base font has a PK file.
class VirtualFontDocumentTest : public FixtureDocumentTest {
 protected:
  void SetUp() override {
    doc_.Settings.ResolutionX = doc_.Settings.ResolutionY = 300.0;
    doc_.Settings.PkFontPath = std::string(MOX_FIXTURES_DIR) + "/pk/dpi$d";
    doc_.Search = std::make_shared<FontFileSearch>(std::string(MOX_FIXTURES_DIR) + "/vf");
    Load("virtual.dvi");
    ASSERT_EQ(LoadFonts(doc_), 0);
  }

  // The font (name and size in points) of a PK character item.
  std::pair<std::string, int> FontOf(const PageItem& item) const {
    const FontRegistry& fonts = doc_.Fonts;
    std::size_t font = 0;
    while (fonts.PkGlyphBounds[font + 1] <= item.Ref()) ++font;
    return {fonts.PkFonts[font].Name, fonts.PkFonts[font].ScaledSize >> 16};
  }
};

TEST_F(VirtualFontDocumentTest, CharactersComeFromTheBaseFontsAtTheirSizes) {
  std::set<std::pair<std::string, int>> used;
  const std::vector<PageItem> items = Scan(0);
  for (const PageItem& item : items) {
    if (item.Kind != ItemPkChar) continue;
    used.insert(FontOf(item));
    EXPECT_GT(item.Width, 0);  // every glyph was loaded
  }
  // cmbx10 at twice the size, cmsl10 through the nested font, cmr10 at 20pt
  // through the virtual font at 20pt; the virtual fonts themselves nowhere.
  const std::set<std::pair<std::string, int>> expected = {
      {"cmr10", 10}, {"cmbx10", 20}, {"cmsl10", 10}, {"cmr10", 20}};
  EXPECT_EQ(used, expected);
  EXPECT_EQ(Count(items, ItemRule), 1u);  // the composite's
}

TEST_F(VirtualFontDocumentTest, AFontWithWidthsOnlyKeepsTheLineInPlace) {
  // "keep" follows three and three characters of moxmetric, which has no
  // glyphs: its k stands where TeX put it (h = 6138543 by dvitype).
  ASSERT_EQ(doc_.Load.MissingPkFonts.size(), 1u);
  EXPECT_EQ(doc_.Load.MissingPkFonts[0].Name, "moxmetric");
  const std::vector<PageItem> items = Scan(1);
  const FontRegistry& fonts = doc_.Fonts;
  const auto k = std::find_if(items.begin(), items.end(), [&](const PageItem& item) {
    return item.Kind == ItemPkChar && fonts.PkGlyphs[item.Ref()].Code == 'k';
  });
  ASSERT_NE(k, items.end());
  EXPECT_EQ(k->X + fonts.PkGlyphs[k->Ref()].XOffset, NearestInt(6138543 * doc_.Dvi.ConversionX));
}

}  // namespace
}  // namespace mox::test
