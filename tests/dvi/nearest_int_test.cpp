#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "previewer/dvi/dvi_document.h"

namespace mox {
namespace {

TEST(NearestInt, HalvesGoAwayFromZero) {
  EXPECT_EQ(NearestInt(0.5), 1);
  EXPECT_EQ(NearestInt(-0.5), -1);
  EXPECT_EQ(NearestInt(2.5), 3);
  EXPECT_EQ(NearestInt(-2.5), -3);
  EXPECT_EQ(NearestInt(0.49), 0);
  EXPECT_EQ(NearestInt(-0.49), 0);
  EXPECT_EQ(NearestInt(1.51), 2);
  EXPECT_EQ(NearestInt(-1.51), -2);
  EXPECT_EQ(NearestInt(-0.0), 0);
}

TEST(NearestInt, ValuesBeyond32BitsStopAtTheLimits) {
  EXPECT_EQ(NearestInt(1e12), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(NearestInt(-1e12), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(NearestInt(std::numeric_limits<double>::infinity()),
            std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(NearestInt(std::nan("")), 0);
  EXPECT_EQ(NearestInt(2147483646.4), 2147483646);
  EXPECT_EQ(NearestInt(-2147483647.6), -2147483647 - 1);
}

}  // namespace
}  // namespace mox
