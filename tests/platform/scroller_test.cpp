#include "platform/scroller.h"

#include <gtest/gtest.h>

#include <vector>

namespace mox::platform {
namespace {

struct BarState {
  long Range = -1;
  long Page = -1;
  long Position = -1;
};

// A window that records what the scroller asks of it; resizing the client
// when a bar appears, as a real window does, is optional.
class FakeHost : public ScrollHost {
 public:
  void SetScrollBar(bool horizontal, long range, long page, long position) override {
    BarState& bar = horizontal ? horizontal_ : vertical_;
    const bool was_visible = bar.Range > 0;
    bar = {range, page, position};
    if (scroller != nullptr && bar_width > 0 && was_visible != (range > 0)) {
      // The other dimension of the client area changes by the bar's width.
      const long change = range > 0 ? -bar_width : bar_width;
      if (horizontal) {
        client_height += change;
      } else {
        client_width += change;
      }
      scroller->SetClientSize(client_width, client_height);
    }
  }
  void ScrollContent(long dx, long dy) override { scrolls.push_back({dx, dy}); }

  BarState horizontal_;
  BarState vertical_;
  std::vector<std::pair<long, long>> scrolls;
  TScroller* scroller = nullptr;
  long bar_width = 0;
  long client_width = 0;
  long client_height = 0;
};

TEST(ScrollerTest, StartsAtOriginWithUnitsOfAtLeastOnePixel) {
  FakeHost host;
  TScroller scroller(host, 0, -5, -3, 0);
  EXPECT_EQ(scroller.XUnit, 1);
  EXPECT_EQ(scroller.YUnit, 1);
  EXPECT_EQ(scroller.XRange, 0);
  EXPECT_EQ(scroller.XPos, 0);
  EXPECT_EQ(scroller.OriginX(), 0);
}

TEST(ScrollerTest, ScrollToClampsToTheRange) {
  FakeHost host;
  TScroller scroller(host, 10, 20, 5, 7);
  scroller.ScrollTo(32767, 32767);
  EXPECT_EQ(scroller.XPos, 5);
  EXPECT_EQ(scroller.YPos, 7);
  scroller.ScrollTo(-4, 3);
  EXPECT_EQ(scroller.XPos, 0);
  EXPECT_EQ(scroller.YPos, 3);
  EXPECT_EQ(scroller.OriginY(), 60);
  EXPECT_EQ(host.horizontal_.Position, 0);
  EXPECT_EQ(host.vertical_.Position, 3);
}

TEST(ScrollerTest, ContentMovesOppositeToThePositionInPixels) {
  FakeHost host;
  TScroller scroller(host, 10, 20, 5, 7);
  scroller.ScrollTo(2, 1);
  scroller.ScrollTo(2, 1);  // no move, no scroll
  scroller.ScrollTo(0, 0);
  ASSERT_EQ(host.scrolls.size(), 2u);
  EXPECT_EQ(host.scrolls[0], std::make_pair(-20L, -20L));
  EXPECT_EQ(host.scrolls[1], std::make_pair(20L, 20L));
}

TEST(ScrollerTest, AZeroRangeStaysAtTheOrigin) {
  FakeHost host;
  TScroller scroller(host, 1, 1, 0, 0);
  scroller.ScrollTo(32767, 32767);
  EXPECT_EQ(scroller.XPos, 0);
  EXPECT_EQ(scroller.YPos, 0);
  EXPECT_TRUE(host.scrolls.empty());
}

TEST(ScrollerTest, ShrinkingTheRangeLowersThePosition) {
  FakeHost host;
  TScroller scroller(host, 10, 10, 50, 50);
  scroller.ScrollTo(40, 10);
  scroller.SetRange(30, 60);
  EXPECT_EQ(scroller.XPos, 30);
  EXPECT_EQ(scroller.YPos, 10);
  EXPECT_EQ(host.horizontal_.Range, 30);
}

TEST(ScrollerTest, BarRequestsMoveByLinesPagesAndToTheEnds) {
  FakeHost host;
  TScroller scroller(host, 10, 10, 100, 100);
  scroller.SetClientSize(205, 95);  // pages of 20 and 9 units
  EXPECT_EQ(scroller.XPage(), 20);
  EXPECT_EQ(scroller.YPage(), 9);
  scroller.HandleRequest(true, ScrollRequest::LineDown);
  EXPECT_EQ(scroller.XPos, 1);
  scroller.HandleRequest(true, ScrollRequest::PageDown);
  EXPECT_EQ(scroller.XPos, 21);
  scroller.HandleRequest(false, ScrollRequest::PageDown);
  EXPECT_EQ(scroller.YPos, 9);
  scroller.HandleRequest(true, ScrollRequest::PageUp);
  scroller.HandleRequest(true, ScrollRequest::LineUp);
  scroller.HandleRequest(true, ScrollRequest::LineUp);
  EXPECT_EQ(scroller.XPos, 0);
  scroller.HandleRequest(false, ScrollRequest::Bottom);
  EXPECT_EQ(scroller.YPos, 100);
  scroller.HandleRequest(false, ScrollRequest::Thumb, 42);
  EXPECT_EQ(scroller.YPos, 42);
  scroller.HandleRequest(false, ScrollRequest::Top);
  EXPECT_EQ(scroller.YPos, 0);
}

TEST(ScrollerTest, AClientNarrowerThanAUnitStillHasAPageOfOne) {
  FakeHost host;
  TScroller scroller(host, 10, 10, 5, 5);
  scroller.SetClientSize(3, 0);
  EXPECT_EQ(scroller.XPage(), 1);
  EXPECT_EQ(scroller.YPage(), 1);
}

TEST(ScrollerTest, BarsAreSetAgainWhenShowingOneResizesTheClient) {
  FakeHost host;
  TScroller scroller(host, 10, 10, 0, 0);
  host.scroller = &scroller;
  host.bar_width = 17;
  host.client_width = 400;
  host.client_height = 300;
  scroller.SetClientSize(400, 300);
  // The vertical bar appears and narrows the client, so the horizontal page
  // must be the narrower one.
  scroller.SetRange(0, 50);
  EXPECT_EQ(host.vertical_.Range, 50);
  EXPECT_EQ(host.horizontal_.Page, (400 - 17) / 10);
  EXPECT_EQ(host.vertical_.Page, 30);
}

}  // namespace
}  // namespace mox::platform
