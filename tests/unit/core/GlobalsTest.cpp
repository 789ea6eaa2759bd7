#include <gtest/gtest.h>

#include "core/Globals.h"
#include "support/GlobalsFixture.h"

namespace {

class GlobalsTest : public GlobalsFixture {};

TEST_F(GlobalsTest, GlobalPaletteNumber_IgnoresNegativeNumbers) {
  EXPECT_EQ(GetGlobalPaletteNumber(), 0);
  SetGlobalPaletteNumber(7);
  SetGlobalPaletteNumber(-1);
  EXPECT_EQ(GetGlobalPaletteNumber(), 7);
  SetGlobalPaletteNumber(0);
  EXPECT_EQ(GetGlobalPaletteNumber(), 0);
}

}  // namespace
