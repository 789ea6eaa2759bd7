#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/Convert.h"

TEST(Convert_ToInt32, TruncatesSaturatesAndZeroesNaN) {
  struct Case {
    double in;
    int32_t out;
  };
  const Case cases[] = {
      {2.9, 2},
      {-2.9, -2},
      {0.0, 0},
      {3e9, std::numeric_limits<int32_t>::max()},
      {-3e9, std::numeric_limits<int32_t>::min()},
      {2147483647.0, std::numeric_limits<int32_t>::max()},
      {-2147483648.0, std::numeric_limits<int32_t>::min()},
      {std::numeric_limits<double>::infinity(), std::numeric_limits<int32_t>::max()},
      {-std::numeric_limits<double>::infinity(), std::numeric_limits<int32_t>::min()},
      {std::nan(""), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ToInt32(c.in), c.out) << c.in;
}

TEST(Convert_ToFloat, SaturatesAtFloatLimits) {
  EXPECT_EQ(ToFloat(1e300), std::numeric_limits<float>::max());
  EXPECT_EQ(ToFloat(-1e300), -std::numeric_limits<float>::max());
  EXPECT_EQ(ToFloat(0.1), 0.1f);
  EXPECT_TRUE(std::isnan(ToFloat(std::nan(""))));
}

TEST(Convert_WrapAdd, WrapsAsTwosComplement) {
  EXPECT_EQ(WrapAdd(std::numeric_limits<int32_t>::max(), 1), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(WrapAdd(-1, 1), 0);
}
