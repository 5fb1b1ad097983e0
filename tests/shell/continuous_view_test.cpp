// The continuous view: the stack's arithmetic at its edges, and the view
// drawing two pages at once at their places, the caption following the page
// most in view, page turns, zoom and the switch to the single view keeping
// the page.
#include "previewer/shell/page_stack.h"

#include <gtest/gtest.h>

#include "previewer/render/memory_device.h"
#include "previewer/resources/resource_ids.h"
#include "tests/shell/fake_window.h"
#include "tests/shell/view_fixture.h"

namespace mox::test {
namespace {

TEST(PageStackTest, BandsMeetPagesNotGapsAndTheMostShownPageWins) {
  PageStack stack;
  stack.Pages = {0, 2, 3};  // page 1 filtered out
  stack.PageHeight = 100;
  stack.Gap = 10;
  EXPECT_EQ(stack.Height(), 320);
  EXPECT_EQ(stack.SlotOf(3), 2u);
  EXPECT_FALSE(stack.SlotOf(1));
  PageStack::Range range = stack.SlotsMeeting(95, 115);
  EXPECT_EQ(range.First, 0u);
  EXPECT_EQ(range.End, 2u);
  range = stack.SlotsMeeting(100, 110);  // the gap alone
  EXPECT_EQ(range.First, range.End);
  EXPECT_EQ(stack.SlotsMeeting(300, 1000).End, 3u);
  EXPECT_EQ(stack.MostInView(60, 160), 1u);   // 40 rows of the first, 50 of the second
  EXPECT_EQ(stack.MostInView(55, 155), 0u);   // 45 and 45: the upper one
  EXPECT_EQ(stack.MostInView(101, 109), 0u);  // only the gap below the first
  EXPECT_EQ(stack.MostInView(5000, 5100), 2u);
  EXPECT_EQ(PageStack{}.MostInView(0, 10), 0u);
}

class ContinuousViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    doc_.Settings.PkFontPath = dir_.File("dpi$d");
    doc_.Settings.InitialZoom = 0.25;
    view_.Zoom() = 0.25;
    const std::string path = dir_.File("pages.dvi");
    WriteFile(path, Pages({1, 2, 3, 4}));
    view_.DviFileName = path;
    // The first paint loads the document named at start.
    MemoryDevice device(10, 10);
    view_.PaintView(device, {0, 0, 10, 10});
    ASSERT_TRUE(view_.IsDocumentOpen());
  }
  // Paints the client area as the window would at the scroller's place.
  MemoryDevice PaintClient() {
    const int top = static_cast<int>(window_.Scroller.YPos * view_.UnitY);
    const int left = static_cast<int>(window_.Scroller.XPos * view_.UnitX);
    const int width = static_cast<int>(view_.ClientWidth);
    const int height = static_cast<int>(view_.ClientHeight);
    MemoryDevice device(width, height, -1, left, top);
    view_.PaintView(device, {left, top, left + width, top + height});
    return device;
  }
  // Whether the rule of a page (72 pt in and down, 20 pt high) is inked.
  bool RuleInked(const MemoryDevice& device, std::int32_t page) {
    const double zoom = view_.Zoom();
    const int x = view_.OffsetX + static_cast<int>(600 * zoom) + 2;
    const int y = static_cast<int>(view_.PageTop(page)) + view_.OffsetY +
                  static_cast<int>(590 * zoom) - 2 -
                  static_cast<int>(window_.Scroller.YPos * view_.UnitY);
    if (y < 0 || y >= device.Height()) return false;
    const RgbColour pixel = device.Pixel(x, y);
    return pixel.Red < 128 && pixel.Green < 128;
  }
};

TEST_F(ContinuousViewTest, PagesStandOneBelowTheOtherAndTheCaptionFollows) {
  const PageStack& stack = view_.Stack();
  ASSERT_EQ(stack.Pages.size(), 4u);
  // The scroller reaches the last page's bottom, in steps of about a
  // fiftieth of a page.
  EXPECT_GE(window_.Scroller.YRange * view_.UnitY + view_.ClientHeight, stack.Height());
  EXPECT_LE(view_.UnitY, stack.PageHeight / 40);

  // Scrolled to show the end of page 1 and the start of page 2: both drawn.
  window_.Scroller.ScrollTo(0, (stack.TopOf(1) - view_.ClientHeight / 3) / view_.UnitY);
  MemoryDevice device = PaintClient();
  EXPECT_TRUE(RuleInked(device, 1));
  EXPECT_EQ(view_.CurrentPage, 1);
  EXPECT_EQ(ui_.Captions.back(), "pages.dvi - Page 2");

  // Next page: page 3's top at the window's top; the single view keeps it.
  EXPECT_TRUE(view_.ViewCommand(CM_NEXTPAGE));
  EXPECT_EQ(view_.CurrentPage, 2);
  EXPECT_EQ(window_.Scroller.YPos * view_.UnitY, stack.TopOf(2));  // exactly at the top
  device = PaintClient();
  EXPECT_TRUE(RuleInked(device, 2));
  EXPECT_EQ(view_.CurrentPage, 2);

  // A zoom keeps the page in view at the top.
  view_.SetZoom(0.5);
  PaintClient();
  EXPECT_EQ(view_.CurrentPage, 2);

  EXPECT_TRUE(view_.ViewCommand(CM_CONTINUOUS));
  EXPECT_FALSE(view_.ContinuousView());
  EXPECT_EQ(view_.CurrentPage, 2);
  EXPECT_EQ(window_.Scroller.YPos, 0);
  EXPECT_TRUE(view_.ViewCommand(CM_CONTINUOUS));
  EXPECT_EQ(window_.Scroller.YPos * view_.UnitY, view_.Stack().TopOf(2));

  // The whole page fits: no more than the fit in one direction.
  EXPECT_TRUE(view_.ViewCommand(CM_ZOOMFITPAGE));
  const double whole = view_.Zoom();
  EXPECT_LE(view_.Stack().PageHeight, static_cast<std::int64_t>(window_.Height));
  EXPECT_TRUE(view_.ViewCommand(CM_ZOOMFIT));
  EXPECT_LE(whole, view_.Zoom());
  EXPECT_TRUE(Errors().empty());
}

}  // namespace
}  // namespace mox::test
