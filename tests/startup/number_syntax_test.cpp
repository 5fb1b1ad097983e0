#include "previewer/startup/number_syntax.h"

#include <gtest/gtest.h>

#include <limits>

namespace mox {
namespace {

TEST(ScanOptionNumber, AcceptsSpacesMinusDigitsAndOnePoint) {
  const auto spaced = ScanOptionNumber("  -2.5  :600", ':');
  ASSERT_TRUE(spaced);
  EXPECT_DOUBLE_EQ(spaced->Value, -2.5);
  EXPECT_EQ(spaced->End, 8u);  // at the separator
  EXPECT_EQ(ScanOptionNumber("300", ':')->End, 3u);
  EXPECT_EQ(ScanOptionNumber(".", ':')->Value, 0.0);
  EXPECT_EQ(ScanOptionNumber("5.", '\0')->Value, 5.0);
}

TEST(ScanOptionNumber, RejectsAnythingElse) {
  for (const char* text : {"", " ", "-", "+3", "1.2.3", "3x", "1e3", "0x10", "3 4", "inf", "3;"}) {
    EXPECT_FALSE(ScanOptionNumber(text, ':')) << text;
  }
  EXPECT_FALSE(ScanOptionNumber("3:", '\0'));  // only the end may follow
}

TEST(ReadDecimalInt, ReadsLikeAtolAndClamps) {
  EXPECT_EQ(ReadDecimalInt("  -17"), -17);
  EXPECT_EQ(ReadDecimalInt("+5"), 5);
  EXPECT_EQ(ReadDecimalInt("42abc"), 42);
  EXPECT_EQ(ReadDecimalInt("abc"), 0);
  EXPECT_EQ(ReadDecimalInt("- 5"), 0);
  EXPECT_EQ(ReadDecimalInt("2147483648"), 2147483647);
  EXPECT_EQ(ReadDecimalInt("-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ReadDecimalInt("-99999999999999999999999"),
            std::numeric_limits<std::int32_t>::min());
}

TEST(ParseDecimalPrefix, TakesTheLongestDecimalPrefix) {
  EXPECT_DOUBLE_EQ(ParseDecimalPrefix(" \t-2.5e2x"), -250.0);
  EXPECT_DOUBLE_EQ(ParseDecimalPrefix("+.5"), 0.5);
  EXPECT_DOUBLE_EQ(ParseDecimalPrefix("5."), 5.0);
  EXPECT_DOUBLE_EQ(ParseDecimalPrefix("1.5E-3"), 0.0015);
  EXPECT_DOUBLE_EQ(ParseDecimalPrefix("2.5.7"), 2.5);
  EXPECT_DOUBLE_EQ(ParseDecimalPrefix("3e+"), 3.0);  // exponent without digits
  for (const char* text : {"", "abc", ".", "-", "+.e5", "0x10", "inf", "-infinity", "nan"}) {
    EXPECT_EQ(ParseDecimalPrefix(text), 0.0) << text;
  }
}

TEST(ParseDecimalPrefix, OutOfRangeStaysFinite) {
  constexpr double kMax = std::numeric_limits<double>::max();
  EXPECT_EQ(ParseDecimalPrefix("1e400"), kMax);
  EXPECT_EQ(ParseDecimalPrefix("-1000e306"), -kMax);
  EXPECT_EQ(ParseDecimalPrefix("1e99999999999999999999"), kMax);
  EXPECT_EQ(ParseDecimalPrefix("1e-400"), 0.0);
  EXPECT_EQ(ParseDecimalPrefix("0.0001e-320"), 0.0);
  EXPECT_DOUBLE_EQ(ParseDecimalPrefix("0.001e309"), 1e306);
}

}  // namespace
}  // namespace mox
