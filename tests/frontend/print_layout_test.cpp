// The pages of a printed text, measured by a printer of the test's own on
// which an ASCII character is 10 units wide and any other 20.
#include "frontend/core/print_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mox::varelo {
namespace {

class FixedMeasure final : public TextMeasure {
 public:
  static int UnitWidth(char16_t unit) { return unit < 0x80 ? 10 : 20; }
  std::size_t Fit(std::u16string_view text, int max_width, int& width) override {
    width = 0;
    std::size_t count = 0;
    while (count < text.size() && width + UnitWidth(text[count]) <= max_width) {
      width += UnitWidth(text[count++]);
    }
    return count;
  }
  int Width(std::u16string_view text) override {
    int width = 0;
    for (char16_t unit : text) width += UnitWidth(unit);
    return width;
  }
};

std::vector<std::u16string> Lines(const std::vector<PrintedPage>& pages) {
  std::vector<std::u16string> lines;
  for (const PrintedPage& page : pages) {
    for (const PrintedLine& line : page) lines.push_back(line.Text);
  }
  return lines;
}

TEST(PrintLayoutTest, LinesWrapAtTheWidthAndPagesHoldTheirLines) {
  FixedMeasure measure;
  // 10 ASCII characters a line, 3 lines a page.
  const auto pages = LayOutPages(u"aaa bbb ccc ddd\r\rabcdefghijklmn\r中文中文中文x\t|\r", 100, 3,
                                 measure, Alignment::Left);
  EXPECT_EQ(Lines(pages), (std::vector<std::u16string>{
                              u"aaa bbb", u"ccc ddd", u"", u"abcdefghij", u"klmn",
                              u"中文中文中", u"文x   |"}));
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].size(), 3u);
  EXPECT_EQ(pages[2].size(), 1u);
  // An empty text is one empty page; a text ending in CR has no extra line.
  EXPECT_EQ(LayOutPages(u"", 100, 3, measure, Alignment::Left).size(), 1u);
  EXPECT_EQ(Lines(LayOutPages(u"a\r", 100, 3, measure, Alignment::Left)),
            (std::vector<std::u16string>{u"a"}));
  // A character wider than the page still gets a line of its own.
  EXPECT_EQ(Lines(LayOutPages(u"中文", 10, 3, measure, Alignment::Left)),
            (std::vector<std::u16string>{u"中", u"文"}));
}

TEST(PrintLayoutTest, LinesAreAlignedLikeTheParagraphs) {
  FixedMeasure measure;
  const auto right = LayOutPages(u"ab\r中", 100, 5, measure, Alignment::Right);
  EXPECT_EQ(right[0][0].X, 80);
  EXPECT_EQ(right[0][1].X, 80);
  const auto centred = LayOutPages(u"aaa bbb ccc", 100, 5, measure, Alignment::Center);
  EXPECT_EQ(centred[0][0].Text, u"aaa bbb");
  EXPECT_EQ(centred[0][0].X, 15);
  EXPECT_EQ(centred[0][1].X, 35);
}

}  // namespace
}  // namespace mox::varelo
