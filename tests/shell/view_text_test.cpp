// The page view's text on documents made by real TeX: hyperref's links
// under the pointer and followed, text found and highlighted through the
// pages, and a rectangle dragged with Shift copied.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "platform/user_interface.h"
#include "previewer/render/memory_device.h"
#include "previewer/text/page_text.h"
#include "previewer/shell/shell_texts.h"
#include "tests/shell/view_fixture.h"

namespace mox::test {
namespace {

class ViewTextTest : public ViewTest {
 protected:
  // Opens a fixture in the continuous view at 1:2, as the first paint does.
  // `questions`: the invalid Chinese codes asked about, answered yes.
  void Open(const std::string& name, int questions = 0) {
    const std::string fixtures = MOX_FIXTURES_DIR;
    doc_.Settings.PkFontPath = fixtures + "/pk/dpi$d";
    doc_.Settings.ChineseFontPath = fixtures + "/hzfonts";
    doc_.Settings.InitialZoom = 0.5;
    for (int i = 0; i < questions; ++i) ui_.AnswerNext(platform::kAnswerYes);
    view_.DviFileName = dir_.File(name);
    WriteFile(view_.DviFileName, ReadFile(fixtures + "/dvi/" + name));
    MemoryDevice device(10, 10);
    view_.PaintView(device, {0, 0, 10, 10});
    ASSERT_TRUE(view_.IsDocumentOpen());
    ui_.Boxes.clear();
  }

  std::string LastCaption() const { return ui_.Captions.empty() ? "" : ui_.Captions.back(); }

  PageText Text(int page) {
    std::optional<PageText> text = ReadPageText(doc_, page);
    EXPECT_TRUE(text);
    return text ? std::move(*text) : PageText{};
  }

  // A point of page pixels in client pixels, where the view shows it now.
  std::pair<int, int> Client(int page, double x, double y) const {
    const double zoom = doc_.Settings.CurrentZoom;
    return {static_cast<int>(x * zoom + view_.OffsetX - window_.Scroller.XPos * view_.UnitX),
            static_cast<int>(y * zoom + view_.OffsetY + static_cast<double>(view_.PageTop(page)) -
                             window_.Scroller.YPos * view_.UnitY)};
  }
  std::pair<int, int> Middle(int page, const TextBox& box) const {
    return Client(page, (box.Left + box.Right) / 2.0, (box.Top + box.Bottom) / 2.0);
  }
};

TEST_F(ViewTextTest, AnInternalLinkShowsItsTargetAndAnAddressIsAskedAboutOnce) {
  Open("links-hypertex.dvi");
  const PageText first = Text(0);
  ASSERT_GE(first.Links.size(), 5u);
  const auto [x, y] = Middle(0, first.Links[0].Rectangles[0]);  // "Section 2"'s "2"
  EXPECT_TRUE(view_.IsOverLink(x, y));
  EXPECT_FALSE(view_.IsOverLink(x, y - 40));
  EXPECT_EQ(view_.CurrentPage, 0);  // hovering turns nothing

  ASSERT_TRUE(view_.FollowLinkAt(x, y));
  EXPECT_EQ(view_.CurrentPage, 1);
  // The heading "2 More" near the window's top, below its anchor.
  const auto heading = Middle(1, Text(1).Characters.front().Box);
  EXPECT_GT(heading.second, 0);
  EXPECT_LT(heading.second, static_cast<int>(view_.ClientHeight) / 4);

  view_.GotoPage(0);
  const TextBox address = first.Links[4].Rectangles[0];  // \href to the package page
  ASSERT_EQ(first.Links[4].Target, "https://www.ctan.org/pkg/hyperref");
  const auto [ax, ay] = Middle(0, address);
  ui_.AnswerNext(platform::kAnswerNo);
  EXPECT_TRUE(view_.FollowLinkAt(ax, ay));
  EXPECT_TRUE(window_.Opened.empty());
  ui_.AnswerNext(platform::kAnswerYes);
  view_.FollowLinkAt(ax, ay);
  view_.FollowLinkAt(ax, ay);
  EXPECT_EQ(window_.Opened.size(), 2u);
  EXPECT_EQ(ui_.Boxes.size(), 2u);  // asked twice: refused, then agreed to once
  // Away from every link a click is the ruler's.
  EXPECT_FALSE(view_.FollowLinkAt(ax, ay - 200));
}

TEST_F(ViewTextTest, FindGoesFromPageToPageHighlightsAndComesRound) {
  Open("chinese.dvi", 4);
  // "楷体" stands once on each page.
  ASSERT_TRUE(view_.FindInDocument("楷体"));
  EXPECT_EQ(view_.CurrentPage, 0);
  std::vector<PixelRect> lit = view_.HighlightRects();
  ASSERT_EQ(lit.size(), 2u);  // a box a character
  for (const PixelRect& r : lit) {
    EXPECT_GE(r.Top, 0);
    EXPECT_LE(r.Bottom, static_cast<int>(view_.ClientHeight));
    EXPECT_GT(r.Right - r.Left, 4);
  }
  ASSERT_TRUE(view_.FindNext());
  EXPECT_EQ(view_.CurrentPage, 1);
  EXPECT_EQ(LastCaption().find("楷体"), std::string::npos);
  view_.FindNext();
  EXPECT_EQ(view_.CurrentPage, 0);
  EXPECT_NE(LastCaption().find("楷体"), std::string::npos);  // found from the beginning

  EXPECT_FALSE(view_.FindInDocument("没有的字"));
  EXPECT_TRUE(view_.HighlightRects().empty());
  EXPECT_NE(LastCaption().find("没有的字"), std::string::npos);
}

TEST_F(ViewTextTest, AShiftDragCopiesTheTextOfItsRectangle) {
  Open("links-hypertex.dvi");
  const PageText first = Text(0);
  // Round the heading "1 Links": its first and last characters (the
  // space between is the pen's move, no character).
  const TextBox& one = first.Characters[0].Box;
  const TextBox& s = first.Characters[5].Box;
  const auto start = Client(0, one.Left - 2, one.Top - 2);
  const auto end = Client(0, s.Right + 2, s.Bottom + 2);
  view_.SelectionPress(start.first, start.second);
  EXPECT_TRUE(window_.Captured);
  view_.SelectionMove((start.first + end.first) / 2, end.second);
  view_.SelectionRelease(end.first, end.second);
  EXPECT_FALSE(window_.Captured);
  EXPECT_EQ(window_.Clipboard, "1 Links");
  EXPECT_NE(LastCaption().find("7"), std::string::npos);
  ASSERT_EQ(view_.HighlightRects().size(), 1u);

  // A rectangle of margin alone copies nothing and says so.
  window_.Clipboard.clear();
  view_.SelectionPress(2, 2);
  view_.SelectionRelease(6, 6);
  EXPECT_TRUE(window_.Clipboard.empty());
  EXPECT_EQ(LastCaption(), view_.Say(kNoTextSelected));
}

}  // namespace
}  // namespace mox::test
