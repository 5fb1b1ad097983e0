// The text of pages of real TeX documents against their sources.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "previewer/dvi/page_scanner.h"
#include "previewer/text/copy_text.h"
#include "tests/text/text_fixture.h"

namespace mox::test {
namespace {

using ::testing::HasSubstr;

TEST_F(TextDocumentTest, PlainTeXWordsLigaturesAndLines) {
  Load("plain.dvi");
  const std::string text = Text(0);
  // cmbx10's heading is a line of its own; cmr10's ligatures give letters.
  EXPECT_EQ(text.substr(0, text.find('\n')), "A Plain Fixture");
  EXPECT_THAT(text, HasSubstr("\nThis is the first page of a small plain TEX document."));
  EXPECT_THAT(text, HasSubstr("Ligatures such as ff, fi, fl, ffi and ffl and kerns such as AV and To"));
  EXPECT_THAT(text, HasSubstr("italic, bold, typewriter\nand slanted."));
  // Greek from cmmi10, a minus sign from cmsy10.
  EXPECT_THAT(text, HasSubstr(Utf8(u8"and \u03B1\u03B2\u03B3, and a display:")));
  EXPECT_THAT(Text(1), HasSubstr(Utf8(u8"the page number \u22121, printed in roman")));
  EXPECT_THAT(Text(2), HasSubstr("7 and \\count1 set to 3."));
}

TEST_F(TextDocumentTest, LatexArticleAcrossFontsAndPages) {
  Load("latex.dvi");
  const std::string first = Text(0);
  EXPECT_THAT(first, HasSubstr("This short article exercises the fonts and constructions of a "
                               "typical LATEX doc-\nument:"));
  EXPECT_THAT(first, HasSubstr(Utf8(u8"and relations \u2264, \u2265, \u2260, \u2248, ")));
  EXPECT_THAT(first, HasSubstr("plain.dvi plain TEX 3 pages\n"));
  // The bullets of the list are TS1's, on the second page.
  EXPECT_THAT(Text(1), HasSubstr(Utf8(u8"\n\u2022 a last item.\n")));
}

TEST_F(TextDocumentTest, DashesAndQuotesOfLinks) {
  Load("links-hypertex.dvi");
  EXPECT_THAT(Text(0), HasSubstr(Utf8(u8"Both pages 1\u20132 hold\nlinks \u2014 and the last words")));
}

TEST_F(TextDocumentTest, ChineseTextFromItsCodes) {
  Load("chinese.dvi");
  const std::size_t boxes = ui_.Boxes.size();  // the pre-scan asked about the invalid code
  const std::string text = Text(0);
  EXPECT_EQ(ui_.Boxes.size(), boxes);
  EXPECT_EQ(text.substr(0, text.find('\n')),
            Utf8(u8"第一页：中文字 and English text 混排。"));
  // The first and last characters of both levels, and the symbols.
  EXPECT_THAT(text, HasSubstr(Utf8(u8"\n标点符号：，。：《》\n一级字：啊中文字\n二级字：亍伲佼齄\n")));
  EXPECT_THAT(text, HasSubstr(Utf8(u8"\n小号字：中文字《汉字》。 Small Chinese text beside English.\n")));
  // The broken pair and the invalid code leave nothing.
  EXPECT_THAT(text, HasSubstr(Utf8(u8"\n坏的对：中文。\n非法码：中文。\n结束。\n")));
  EXPECT_THAT(Text(1), HasSubstr(Utf8(u8"第二页：楷体 and the formula x2 + y2 = z2 中文。\n宋体：啊亍齄。\n")));
}

TEST_F(TextDocumentTest, BoxesAreThoseOfTheDrawnPage) {
  Load("plain.dvi");
  ASSERT_EQ(ScanPage(doc_, 0), 0);
  const std::vector<PageItem> items = doc_.Page.Items;
  const PageText page = Page(0);
  // Reading the text leaves the page buffer as the renderer has it.
  EXPECT_EQ(doc_.Page.Items.size(), items.size());
  // Every glyph drawn lies inside the box of a character of the text.
  std::size_t inside = 0;
  for (const PageItem& item : items) {
    if (item.Kind != ItemPkChar) continue;
    const TextBox glyph{item.X, item.Y, item.X + item.Width, item.Y + item.Height};
    inside += std::any_of(page.Characters.begin(), page.Characters.end(),
                          [&](const TextCharacter& c) {
                            return c.Box.Left <= glyph.Left && c.Box.Top <= glyph.Top &&
                                   c.Box.Right >= glyph.Right && c.Box.Bottom >= glyph.Bottom;
                          });
  }
  EXPECT_GT(inside, 300u);
  EXPECT_EQ(inside, static_cast<std::size_t>(std::count_if(items.begin(), items.end(),
                                                           [](const PageItem& item) {
                                                             return item.Kind == ItemPkChar;
                                                           })));
}

TEST_F(TextDocumentTest, CopyTakesTheCharactersARectangleMeets) {
  Load("plain.dvi");
  const PageText page = Page(0);
  const auto index_of = [&](std::u32string_view text, std::size_t after) {
    std::size_t i = after;
    while (i < page.Characters.size() && page.Characters[i].Text != text) ++i;
    return i;
  };
  // From the middle of the r of "first" (after its fi ligature) to the
  // middle of the m of "small", on one line.
  const std::size_t fi = index_of(U"fi", 0);
  const std::size_t m = index_of(U"m", fi);
  ASSERT_LT(m, page.Characters.size());
  const TextBox from = page.Characters[fi + 1].Box;
  const TextBox to = page.Characters[m].Box;
  const int middle = (from.Left + from.Right) / 2;
  EXPECT_EQ(CopyText(page, {middle, from.Top + 2, (to.Left + to.Right) / 2, to.Bottom - 2}),
            "rst page of a sm");
  // Two lines across the page: the second after a line break (TeX's
  // lowered E is on the first).
  const TextCharacter& t = page.Characters[index_of(U"T", 0)];
  const auto next = std::find_if(page.Characters.begin(), page.Characters.end(),
                                 [&](const TextCharacter& c) { return c.V > t.V + t.Quad; });
  ASSERT_NE(next, page.Characters.end());
  EXPECT_EQ(CopyText(page, {0, t.Box.Top + 2, 1 << 20, next->Box.Bottom - 2}),
            "This is the first page of a small plain TEX document. It holds a few paragraphs\n"
            "of ordinary text in Computer Modern, set in several fonts: italic, bold, typewriter");
}

TEST_F(TextDocumentTest, PagesOutOfRangeAndBrokenFilesGiveAReason) {
  Load("plain.dvi");
  std::string problem;
  EXPECT_FALSE(ReadPageText(doc_, 3, &problem));
  EXPECT_EQ(problem, "The document has no such page");
  // The file cut short under the open document: its second page cannot be
  // read, and the document stays open for the first.
  const std::string bytes = ReadFile(FixturePath("dvi/plain.dvi"));
  const std::uint32_t second = doc_.Dvi.Pages[1].Offset;
  doc_.Dvi.Reader.Close();
  WriteFile(doc_.Dvi.Name, bytes.substr(0, second + 60));
  EXPECT_FALSE(ReadPageText(doc_, 1, &problem));
  EXPECT_EQ(problem, "Invalid DVI file");
  EXPECT_TRUE(doc_.Dvi.Loaded);
  EXPECT_THAT(Text(0), HasSubstr("A Plain Fixture"));
}

}  // namespace
}  // namespace mox::test
