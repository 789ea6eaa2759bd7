#include <gtest/gtest.h>

#include "WorldFixture.h"
#include "world/CellTest.h"
#include "world/DefinedMap.h"

namespace {

class ClipMapTest : public WorldFixture {
 protected:
  ClipMapTest() {
    MakeMapManager();
    map->TransitionMap("MAPNONE");
    log.Clear();
  }

  DefinedMap& Clip() { return *LoadedClipMap(); }
};

TEST_F(ClipMapTest, AnUnsizedMapIsClippedEverywhere) {
  for (auto [x, y] : {std::pair{0, 0}, {5, 5}, {-1, 0}, {100000, 3}}) {
    EXPECT_EQ(map->TestCell(x, y, 0), 1) << x << "," << y;
  }
  // Both readings take the clip map's answer literally: clipped reads as solid, and a walker
  // reading 1 as free may walk.
  EXPECT_TRUE(CellIsSolid(0, 0, 0));
  EXPECT_TRUE(CellIsFreeForWalker(0, 0, 0));
}

TEST_F(ClipMapTest, SizingFreesEveryCellAndBoundsTheActiveCamera) {
  ASSERT_TRUE(Run("DefinedMap_SetDimensions(640, 480)"));
  EXPECT_EQ(log.Text(), "");
  struct Case {
    int32_t x, y;
    uint8_t cell;
  } edges[] = {{0, 0, 0}, {639, 479, 0}, {640, 0, 1}, {0, 480, 1}, {-1, 0, 1}, {0, -1, 1}};
  for (const Case& c : edges) EXPECT_EQ(Clip().GetCell(c.x, c.y), c.cell) << c.x << "," << c.y;
  Camera& camera = DefaultCamera();
  EXPECT_EQ(camera.GetMaxX(), 640);
  EXPECT_EQ(camera.GetMaxY(), 480);
  // Recomputed at once: the view lies on the new edge.
  EXPECT_EQ(camera.GetViewX(), -160);
  EXPECT_EQ(camera.GetViewRight(), 640);
}

TEST_F(ClipMapTest, ClipAreaIsHalfOpenAndCutToTheGrid) {
  ASSERT_TRUE(Run(R"(
    DefinedMap_SetDimensions(20, 10)
    DefinedMap_ClipArea(7, -10, -10, 5, 5)
    DefinedMap_ClipArea(1, 5, 5, 5, 9)
    DefinedMap_ClipArea(1, 8, 9, 6, 2)
    DefinedMap_ClipArea(1, 18, 8, 100, 100)
  )"));
  EXPECT_EQ(log.Text(), "Set clipping 0 0 5 5\nSet clipping 18 8 20 10\n");
  EXPECT_EQ(Clip().GetCell(0, 0), 1);
  EXPECT_EQ(Clip().GetCell(4, 4), 1);
  EXPECT_EQ(Clip().GetCell(5, 4), 0);
  EXPECT_EQ(Clip().GetCell(4, 5), 0);
  EXPECT_EQ(Clip().GetCell(5, 5), 0);
  EXPECT_EQ(Clip().GetCell(19, 9), 1);
  ASSERT_TRUE(Run("DefinedMap_ClipArea(0, 0, 0, 2, 2) DefinedMap_ClearClipping(1, 2, 3)"));
  EXPECT_EQ(Clip().GetCell(4, 4), 0);
  EXPECT_EQ(Clip().GetCell(19, 9), 0);
}

TEST_F(ClipMapTest, BadSizesLeaveAnEmptyGrid) {
  Clip().SetDimensions(-5, 40);
  EXPECT_EQ(Clip().GetColumns(), 0);
  EXPECT_EQ(Clip().GetRows(), 40);
  EXPECT_EQ(log.Text(), "");
  ASSERT_TRUE(Run("DefinedMap_SetDimensions(1e9, 1e9)"));
  EXPECT_EQ(log.Text(),
            "DefinedMap SetDimensions:  Failed, could not allocate 1000000000 by 1000000000 "
            "cells\n");
  EXPECT_EQ(Clip().GetColumns(), 0);
  EXPECT_EQ(Clip().GetRows(), 0);
  EXPECT_EQ(DefaultCamera().GetMaxX(), 0);
  log.Clear();
  ASSERT_TRUE(Run("DefinedMap_ClipArea(1, 0, 0, 5, 5)"));
  EXPECT_EQ(Clip().GetCell(0, 0), 1);  // outside the empty grid
}

TEST_F(ClipMapTest, FunctionsNeedTheClipMapLoaded) {
  ExpectFailures({
      {"DefinedMap_SetDimensions(1)", "DefinedMap SetDimensions:  Failed, invalid argument list\n"},
      {"DefinedMap_ClipArea(1, 0, 0, 1)", "DefinedMap ClipArea:  Failed, invalid argument list\n"},
  });
  map->TransitionMap("Nowhere");  // no files: no map at all
  ExpectFailures({
      {"DefinedMap_SetDimensions(1, 1)",
       "DefinedMap SetDimensions:  Failed, map is not created, or in the wrong mode\n"},
      {"DefinedMap_ClipArea(1, 0, 0, 1, 1)",
       "DefinedMap ClipArea:  Failed, map is not created, or in the wrong mode\n"},
      {"DefinedMap_ClearClipping()",
       "DefinedMap ClearClipping:  Failed, map is not created, or in the wrong mode\n"},
  });
}

}  // namespace
