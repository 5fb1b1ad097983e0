// The numbers behind the zoom and viewport commands and the Change zoom box.
#include "previewer/shell/view_commands.h"

#include <gtest/gtest.h>

#include "previewer/resources/resource_ids.h"
#include "previewer/render/preview_document.h"

namespace mox {
namespace {

TEST(ZoomForCommandTest, StepsFitAndFixedRatios) {
  EXPECT_DOUBLE_EQ(*ZoomForCommand(CM_ZOOMOUT, 0.6), 0.6 * 0.8333333333333334);
  EXPECT_DOUBLE_EQ(*ZoomForCommand(CM_ZOOMIN, 0.5), 0.6);
  EXPECT_EQ(*ZoomForCommand(CM_ZOOMFIT, 0.5), 0.0);
  EXPECT_EQ(*ZoomForCommand(CM_ZOOM1, 0.5), 1.0);
  EXPECT_EQ(*ZoomForCommand(CM_ZOOM5, 0.5), 0.2);
  EXPECT_EQ(*ZoomForCommand(CM_ZOOM9, 0.5), 0.1111111111111111);
  EXPECT_FALSE(ZoomForCommand(CM_ZOOMCHANGE, 0.5));
  EXPECT_FALSE(ZoomForCommand(CM_NEXTPAGE, 0.5));
}

TEST(ZoomForCommandTest, InThenOutNeedNotReturnToTheStart) {
  // The product is taken as it is; the view clamps it afterwards.
  const double start = 0.3;
  const double back = *ZoomForCommand(CM_ZOOMOUT, *ZoomForCommand(CM_ZOOMIN, start));
  EXPECT_NEAR(back, start, 1e-12);
}

TEST(ViewportTargetTest, MovesHalfAWindowInUnits) {
  const ViewportState view{5, 7, 800, 600, 20, 30};
  EXPECT_EQ(ViewportTarget(CM_VIEWLEFT, view)->X, 5 - 20);
  EXPECT_EQ(ViewportTarget(CM_VIEWRIGHT, view)->X, 25);
  EXPECT_EQ(ViewportTarget(CM_VIEWRIGHT, view)->Y, 7);
  EXPECT_EQ(ViewportTarget(CM_VIEWUP, view)->Y, 7 - 10);
  EXPECT_EQ(ViewportTarget(CM_VIEWDOWN, view)->Y, 17);
  EXPECT_EQ(ViewportTarget(CM_VIEWDOWN, view)->X, 5);
}

TEST(ViewportTargetTest, AtLeastOneUnitAndTheCorners) {
  const ViewportState view{3, 4, 30, 30, 40, 40};
  EXPECT_EQ(ViewportTarget(CM_VIEWRIGHT, view)->X, 4);
  EXPECT_EQ(ViewportTarget(CM_VIEWUP, view)->Y, 3);
  const ScrollTarget top_left = *ViewportTarget(CM_VIEWTOPLEFT, view);
  EXPECT_EQ(top_left.X, 0);
  EXPECT_EQ(top_left.Y, 0);
  const ScrollTarget bottom_right = *ViewportTarget(CM_VIEWBOTTOMRIGHT, view);
  // Beyond any range, which the scroller lowers it to.
  EXPECT_GE(bottom_right.X, 1L << 30);
  EXPECT_GE(bottom_right.Y, 1L << 30);
  EXPECT_FALSE(ViewportTarget(CM_ZOOMIN, view));
}

TEST(ViewportTargetTest, ZeroUnitsDoNotDivide) {
  const ViewportState view{0, 0, 800, 600, 0, 0};
  EXPECT_EQ(ViewportTarget(CM_VIEWRIGHT, view)->X, 1);
}


TEST(ZoomEntryTest, AcceptedValuesGoToSetZoom) {
  EXPECT_EQ(ReadZoomEntry("0.5", Language::English).Zoom, 0.5);
  EXPECT_TRUE(ReadZoomEntry("0.5", Language::English).Error.empty());
  EXPECT_EQ(ReadZoomEntry("1", Language::English).Zoom, 1.0);
  EXPECT_EQ(ReadZoomEntry("0.01", Language::English).Zoom, 0.01);  // SetZoom raises it to 0.05
  EXPECT_EQ(ReadZoomEntry("  0.25xyz", Language::English).Zoom, 0.25);
  // No number at all means 0: fit to window.
  EXPECT_EQ(ReadZoomEntry("", Language::English).Zoom, 0.0);
  EXPECT_EQ(ReadZoomEntry("fit", Language::English).Zoom, 0.0);
  EXPECT_TRUE(ReadZoomEntry("fit", Language::English).Error.empty());
  EXPECT_EQ(ReadZoomEntry("0", Language::English).Zoom, 0.0);
}

TEST(ZoomEntryTest, AboveOneNegativeOrNanIsRefused) {
  EXPECT_EQ(ReadZoomEntry("1.5", Language::English).Error, "Invalid zoom factor 1.500000");
  EXPECT_EQ(ReadZoomEntry("1.0001", Language::English).Error, "Invalid zoom factor 1.000100");
  EXPECT_EQ(ReadZoomEntry("-0.5", Language::English).Error, "Invalid zoom factor -0.500000");
  EXPECT_FALSE(ReadZoomEntry("nan", Language::English).Error.empty());
  EXPECT_FALSE(ReadZoomEntry("inf", Language::English).Error.empty());
}

TEST(ZoomEntryTest, ErrorInChinese) {
  EXPECT_EQ(ReadZoomEntry("2", Language::Chinese).Error, "非法缩小因子2.000000");
}

TEST(ZoomDialogTextTest, FourDecimals) {
  EXPECT_EQ(ZoomDialogText(0.2), "0.2000");
  EXPECT_EQ(ZoomDialogText(1.0), "1.0000");
  EXPECT_EQ(ZoomDialogText(0.1111111111111111), "0.1111");
}

}  // namespace
}  // namespace mox
