// The arithmetic of the page view: fitting the page to the window, the page
// margins at a zoom, and the scroll units and ranges.
#include "previewer/shell/view_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace mox {
namespace {

// A page of 5000 by 7000 DVI units at one pixel a unit, margins of 100.
PageGeometry PortraitPage() { return {5000.0, 7000.0, 1.0, 1.0, 100.0, 100.0}; }

TEST(FitZoomTest, LandscapeWindowFitsTheWidthAndScrollsVertically) {
  const double zoom = FitZoom(PortraitPage(), 1040, 600);
  EXPECT_DOUBLE_EQ(zoom, 1040.0 / 5220.0);
  const ScrollLayout layout = LayOutPage(PortraitPage(), zoom, 1040, 600);
  EXPECT_EQ(layout.RangeX, 0);
  EXPECT_GT(layout.RangeY, 0);
}

TEST(FitZoomTest, TallNarrowWindowFitsTheHeight) {
  // The height ratio is the larger one here, so the page scrolls sideways.
  EXPECT_DOUBLE_EQ(FitZoom(PortraitPage(), 300, 1000), 1000.0 / 7220.0);
}

TEST(FitZoomTest, StaysWithinTheZoomLimits) {
  EXPECT_DOUBLE_EQ(FitZoom(PortraitPage(), 20000, 20000), 1.0);
  EXPECT_DOUBLE_EQ(FitZoom(PortraitPage(), 10, 10), 0.05);
  EXPECT_DOUBLE_EQ(FitZoom(PortraitPage(), 0, 0), 0.05);
}

TEST(FitZoomTest, EmptyPageFitsAtOne) {
  // Only the slack is left: client / 20, clamped.
  EXPECT_DOUBLE_EQ(FitZoom(PageGeometry{}, 800, 600), 1.0);
  EXPECT_DOUBLE_EQ(FitZoom(PageGeometry{}, 5, 3), 0.25);
}

TEST(ClampZoomTest, NanAndTinyValuesBecomeTheSmallestZoom) {
  EXPECT_DOUBLE_EQ(ClampZoom(std::numeric_limits<double>::quiet_NaN()), 0.05);
  EXPECT_DOUBLE_EQ(ClampZoom(-3.0), 0.05);
  EXPECT_DOUBLE_EQ(ClampZoom(0.049999), 0.05);
  EXPECT_DOUBLE_EQ(ClampZoom(0.05), 0.05);
  EXPECT_DOUBLE_EQ(ClampZoom(1.0000001), 1.0);
  EXPECT_DOUBLE_EQ(ClampZoom(0.37), 0.37);
}

TEST(LayOutPageTest, UnitsAreAFiftiethOfThePageWithinBounds) {
  const ScrollLayout layout = LayOutPage(PortraitPage(), 1.0, 1000, 800);
  EXPECT_EQ(layout.OffsetX, 100);
  EXPECT_EQ(layout.OffsetY, 100);
  // 5200 / 50 = 104 and 7200 / 50 = 144, both below half the window.
  EXPECT_EQ(layout.UnitX, 104);
  EXPECT_EQ(layout.UnitY, 144);
  // Excess 4200 and 6400 pixels, rounded up to whole units.
  EXPECT_EQ(layout.RangeX, 41);
  EXPECT_EQ(layout.RangeY, 45);
}

TEST(LayOutPageTest, UnitsAreAtMostHalfTheWindowAndAtLeastTen) {
  EXPECT_EQ(LayOutPage(PortraitPage(), 1.0, 120, 160).UnitX, 60);
  EXPECT_EQ(LayOutPage(PortraitPage(), 1.0, 120, 160).UnitY, 80);
  // A window narrower than 20 pixels still scrolls by 10.
  const ScrollLayout narrow = LayOutPage(PortraitPage(), 1.0, 15, 4);
  EXPECT_EQ(narrow.UnitX, 10);
  EXPECT_EQ(narrow.UnitY, 10);
  EXPECT_EQ(narrow.RangeX, (5200 - 15 + 9) / 10);
}

TEST(LayOutPageTest, PageSmallerThanTheWindowHasNoRange) {
  const ScrollLayout layout = LayOutPage(PortraitPage(), 0.1, 1000, 1000);
  EXPECT_EQ(layout.OffsetX, 10);
  EXPECT_EQ(layout.RangeX, 0);
  EXPECT_EQ(layout.RangeY, 0);
  EXPECT_EQ(layout.UnitX, 10);  // 520 / 50 = 10
  EXPECT_EQ(layout.UnitY, 14);  // 720 / 50
}

TEST(LayOutPageTest, MarginsRoundHalvesAwayFromZero) {
  const PageGeometry page{0.0, 0.0, 1.0, 1.0, 5.0, 3.0};
  const ScrollLayout layout = LayOutPage(page, 0.5, 100, 100);
  EXPECT_EQ(layout.OffsetX, 3);  // 2.5
  EXPECT_EQ(layout.OffsetY, 2);  // 1.5
}

TEST(LayOutPageTest, ExactFitLeavesNoRangeAndOnePixelMoreGivesAUnit) {
  const PageGeometry page{980.0, 980.0, 1.0, 1.0, 10.0, 10.0};
  EXPECT_EQ(LayOutPage(page, 1.0, 1000, 1000).RangeX, 0);
  EXPECT_EQ(LayOutPage(page, 1.0, 999, 1000).RangeX, 1);
}

}  // namespace
}  // namespace mox
