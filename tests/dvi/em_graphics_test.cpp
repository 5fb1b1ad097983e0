#include "previewer/dvi/em_graphics.h"

#include <gtest/gtest.h>

namespace mox {
namespace {

constexpr double kDpi = 600.0;

int Parse(const char* text, EmCommand& command) { return ParseEm(text, kDpi, command); }

TEST(ParseEmTest, PointNeedsASpaceAndANumber) {
  EmCommand command;
  EXPECT_EQ(Parse("point 3", command), EmPoint);
  EXPECT_EQ(command.Point, 3u);
  EXPECT_EQ(Parse("  point   17 and anything", command), EmPoint);
  EXPECT_EQ(command.Point, 17u);
  EXPECT_EQ(Parse("point3", command), -1);
  EXPECT_EQ(Parse("Point 3", command), -1);
  EXPECT_EQ(Parse("point", command), -1);
  EXPECT_EQ(Parse("point x", command), -1);
}

TEST(ParseEmTest, LineWithoutCutsOrWidth) {
  EmCommand command;
  EXPECT_EQ(Parse("line 1,2", command), EmLine);
  EXPECT_EQ(command.Point, 1u);
  EXPECT_EQ(command.Point2, 2u);
  EXPECT_EQ(command.Cut1, EmCutP);
  EXPECT_EQ(command.Cut2, EmCutP);
  EXPECT_EQ(command.WidthInches, 0.0);
  EXPECT_EQ(Parse("line 1 , 2  ", command), EmLine);
}

TEST(ParseEmTest, LineWithCutsAndWidth) {
  EmCommand command;
  EXPECT_EQ(Parse("line 1h,2v,0.4pt", command), EmLine);
  EXPECT_EQ(command.Cut1, EmCutH);
  EXPECT_EQ(command.Cut2, EmCutV);
  EXPECT_DOUBLE_EQ(command.WidthInches, 0.4 / 72.27);
  EXPECT_EQ(Parse("line 4 p , 5 h , 2px", command), EmLine);
  EXPECT_EQ(command.Cut1, EmCutP);
  EXPECT_EQ(command.Cut2, EmCutH);
  EXPECT_DOUBLE_EQ(command.WidthInches, 2.0 / kDpi);
}

TEST(ParseEmTest, AnEmptyWidthIsOneCentimetre) {
  EmCommand command;
  EXPECT_EQ(Parse("line 1,2,", command), EmLine);
  EXPECT_DOUBLE_EQ(command.WidthInches, 1.0 / 2.54);
}

TEST(ParseEmTest, MalformedLinesAreRefused) {
  EmCommand command;
  for (const char* text : {"line 1,2,3km", "line 1;2", "line ,2", "line 1,", "line 1,x",
                           "line 1,2 3", "line 1,2,-1pt", "lines 1,2"}) {
    EXPECT_EQ(Parse(text, command), -1) << text;
  }
}

TEST(ParseEmTest, LineWidthMoveToAndLineTo) {
  EmCommand command;
  EXPECT_EQ(Parse("linewidth 2px", command), EmLineWidth);
  EXPECT_DOUBLE_EQ(command.WidthInches, 2.0 / kDpi);
  EXPECT_EQ(Parse("linewidth 1", command), EmLineWidth);
  EXPECT_DOUBLE_EQ(command.WidthInches, 1.0 / 2.54);
  EXPECT_EQ(Parse("linewidth 2km", command), -1);
  EXPECT_EQ(Parse("moveto", command), EmMoveTo);
  EXPECT_EQ(Parse("lineto whatever follows", command), EmLineTo);
  EXPECT_EQ(Parse("", command), -1);
}

TEST(EmWidthUnitsTest, WidthsAreInTwoHundredFiftySixthsOfAPixel) {
  EXPECT_EQ(EmWidthUnits(2.0 / 600.0, 600.0, 1000), 512u);  // 2px at 600 dpi
  EXPECT_EQ(EmWidthUnits(2.0 / 600.0, 600.0, 2000), 1024u); // grows with magnification
  EXPECT_EQ(EmWidthUnits(0.0, 600.0, 1000), 0u);
  EXPECT_EQ(EmWidthUnits(1000.0, 600.0, 1000), 0xFFFFFFu);   // held to 24 bits
}

}  // namespace
}  // namespace mox
