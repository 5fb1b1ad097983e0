#include "previewer/startup/dimension.h"

#include <gtest/gtest.h>

namespace mox {
namespace {

Dimension Parsed(std::string_view text) {
  const std::optional<Dimension> dimension = ParseDimension(text);
  EXPECT_TRUE(dimension.has_value()) << text;
  return dimension.value_or(Dimension{});
}

double Inches(std::string_view text) {
  return DimensionToPixels(Parsed(text), 1.0);
}

TEST(DimensionUnits, RelateToEachOtherAsTeXDefinesThem) {
  EXPECT_DOUBLE_EQ(Inches("1in"), 1.0);
  EXPECT_DOUBLE_EQ(Inches("2.54cm"), 1.0);
  EXPECT_DOUBLE_EQ(Inches("25.4mm"), 1.0);
  EXPECT_DOUBLE_EQ(Inches("72bp"), 1.0);
  EXPECT_DOUBLE_EQ(Inches("72.27pt"), 1.0);
  EXPECT_DOUBLE_EQ(Inches("1pc"), Inches("12pt"));
  EXPECT_DOUBLE_EQ(Inches("1157dd"), Inches("1238pt"));
  EXPECT_DOUBLE_EQ(Inches("1cc"), Inches("12dd"));
  EXPECT_DOUBLE_EQ(Inches("65536sp"), Inches("1pt"));
}

TEST(DimensionUnits, PixelsAreACountNotALength) {
  EXPECT_EQ(InchesPerUnit(DimensionUnit::Px), 0.0);
  EXPECT_DOUBLE_EQ(DimensionToPixels(Parsed("25px"), 600.0), 25.0);
  EXPECT_DOUBLE_EQ(DimensionToPixels(Parsed("0.5in"), 600.0), 300.0);
}

TEST(ParseDimension, NumberAndUnitForms) {
  const Dimension two_cm = Parsed("2cm");
  EXPECT_DOUBLE_EQ(two_cm.Value, 2.0);
  EXPECT_EQ(two_cm.Unit, DimensionUnit::Cm);

  EXPECT_EQ(Parsed("3").Unit, DimensionUnit::Cm);  // no unit means cm
  EXPECT_DOUBLE_EQ(Parsed("3").Value, 3.0);
  EXPECT_DOUBLE_EQ(Parsed(" \t0.5in").Value, 0.5);
  EXPECT_DOUBLE_EQ(Parsed(".5in").Value, 0.5);
  EXPECT_DOUBLE_EQ(Parsed("+4pt").Value, 4.0);
  EXPECT_DOUBLE_EQ(Parsed("-4pt").Value, -4.0);
}

TEST(ParseDimension, MissingNumberMeansOne) {
  const Dimension mm = Parsed("mm");
  EXPECT_DOUBLE_EQ(mm.Value, 1.0);
  EXPECT_EQ(mm.Unit, DimensionUnit::Mm);
  EXPECT_DOUBLE_EQ(Parsed("-mm").Value, -1.0);
  EXPECT_DOUBLE_EQ(Parsed("").Value, 1.0);
  EXPECT_EQ(Parsed("").Unit, DimensionUnit::Cm);
  // A point alone is a number, and it is zero.
  EXPECT_DOUBLE_EQ(Parsed(".cm").Value, 0.0);
}

TEST(ParseDimension, UnitIgnoresCase) {
  EXPECT_EQ(Parsed("2CM").Unit, DimensionUnit::Cm);
  EXPECT_EQ(Parsed("2Sp").Unit, DimensionUnit::Sp);
  EXPECT_EQ(Parsed("2pX").Unit, DimensionUnit::Px);
}

TEST(ParseDimension, RejectsUnknownOrMalformedUnits) {
  for (const char* text : {"2km", "2c", "2cmm", "2 c m", "abc", "2c1", "cm2", "1e3cm"}) {
    EXPECT_FALSE(ParseDimension(text).has_value()) << text;
  }
}

TEST(ParseDimension, WhiteSpaceAroundTheUnitIsAllowed) {
  EXPECT_EQ(Parsed(" 2 cm").Unit, DimensionUnit::Cm);
  EXPECT_DOUBLE_EQ(Parsed("0.4\tpt ").Value, 0.4);
  EXPECT_EQ(Parsed("0.4\tpt ").Unit, DimensionUnit::Pt);
  EXPECT_DOUBLE_EQ(Parsed("  ").Value, 1.0);  // nothing at all is one centimetre
}

}  // namespace
}  // namespace mox
