#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "IsoMapWriter.h"
#include "resources/ImageObject.h"
#include "support/AllegroHeadless.h"
#include "support/GlobalsFixture.h"
#include "support/IsoFixtures.h"
#include "support/PlayerStandIn.h"
#include "support/TempDir.h"
#include "world/IsoMap.h"
#include "world/TextureLookupList.h"

namespace {

using Cell = std::tuple<int, int, int>;

// Maps drawn on a memory bitmap; the player's hook records which cells were drawn when it came.
class IsoPainterTest : public GlobalsFixture {
 protected:
  void SetUp() override {
    StartAllegroHeadless();
    // Half-transparent, premultiplied: a face drawn twice shows brighter than one drawn once.
    WriteTextureContainer("tiles.sif", {{"paint", {100, 100, 100, 128}}});
    list.BuildLookupList(heading.Get());
    target.Create(800, 600, nullptr);
  }
  void TearDown() override { target.Destroy(); }

  void Load(const iso_map::IsoMapWriter& writer) {
    std::FILE* file = OpenBytes(writer.Write());
    ASSERT_EQ(map.ReadFile(file, list), IsoMap::kRead);
    std::fclose(file);
  }

  void LoadFull(int sx, int sy, int sz) {
    iso_map::IsoMapWriter writer(sx, sy, sz);
    writer.AddTexture("paint");
    for (int x = 0; x < sx; ++x) {
      for (int y = 0; y < sy; ++y) {
        for (int z = 0; z < sz; ++z) writer.Set(x, y, z, {0, 0, 0});
      }
    }
    Load(writer);
  }

  // Draws one frame with the player's centre in the middle of that cell; answers the cells drawn
  // when the player was, and counts the player's draws.
  std::set<Cell> CellsBeforePlayer(int px, int py, int pz, int& draws) {
    target.ClearToTransparent();
    std::set<Cell> before;
    draws = 0;
    PlayerStandIn player;
    player.PlaceCentre(px * 32 + 16, py * 32 + 16, -(pz * 32 + 16));
    player.onDrawStored = [&] {
      ++draws;
      for (int x = 0; x < map.GetSizeX(); ++x) {
        for (int y = 0; y < map.GetSizeY(); ++y) {
          for (int z = 0; z < map.GetSizeZ(); ++z) {
            if (map.GetPendingFaces(x, y, z) == 0) before.insert({x, y, z});
          }
        }
      }
    };
    map.Draw(&target, &player);
    return before;
  }

  TempDir dir;
  TextureHeading heading{"tiles.sif"};
  TextureLookupList list;
  IsoMap map;
  ImageObject target;
};

TEST_F(IsoPainterTest, PlayerComesAfterTheCellsBehindItInItsLayer) {
  LoadFull(5, 5, 1);
  int draws = 0;
  const std::set<Cell> before = CellsBeforePlayer(2, 2, 0, draws);
  std::set<Cell> expected = {{3, 1, 0}};
  for (int x = 0; x < 5; ++x) {
    for (int y = 0; y < 5; ++y) {
      if (x + y < 4) expected.insert({x, y, 0});
    }
  }
  EXPECT_EQ(before, expected);
  EXPECT_EQ(draws, 1);
  // And the rest of the layer after it.
  for (int x = 0; x < 5; ++x) {
    for (int y = 0; y < 5; ++y) EXPECT_EQ(map.GetPendingFaces(x, y, 0), 0) << x << "," << y;
  }
}

TEST_F(IsoPainterTest, LayersAroundThePlayerSplitAndFarLayersAreWhole) {
  LoadFull(3, 3, 5);
  int draws = 0;
  const std::set<Cell> before = CellsBeforePlayer(1, 1, 1, draws);
  EXPECT_EQ(draws, 1);
  for (int x = 0; x < 3; ++x) {
    for (int y = 0; y < 3; ++y) {
      // Layer 0 is drawn whole first: it lies below the player's.
      EXPECT_TRUE(before.count({x, y, 0})) << x << "," << y;
      // In the player's layer the cells behind it, and (2, 0).
      EXPECT_EQ(before.count({x, y, 1}) == 1, x + y < 2 || (x == 2 && y == 0)) << x << "," << y;
      // Of the layer above only the two named neighbours; its own turn comes after the player.
      const bool named = (x == 0 && y == 1) || (x == 1 && y == 0);
      EXPECT_EQ(before.count({x, y, 2}) == 1, named) << x << "," << y;
      // Layers 3 and 4 (two and three above) come wholly after the player.
      EXPECT_FALSE(before.count({x, y, 3}));
      EXPECT_FALSE(before.count({x, y, 4}));
    }
  }
}

TEST_F(IsoPainterTest, PlayerOutsideTheLayersIsDrawnAfterOrBeforeThemAll) {
  LoadFull(2, 2, 2);
  struct Case {
    int pz;
    size_t before;
  };
  const Case cases[] = {
      {2, 8u},
      {7, 8u},
      // Half a cell under layer 0 is still layer 0 (the height is truncated toward zero): the
      // three cells behind the player and the two named ones above come first.
      {-1, 5u},
      // Under layer 0: before every layer.
      {-2, 0u},
      {-40, 0u},
  };
  for (const Case& c : cases) {
    int draws = 0;
    EXPECT_EQ(CellsBeforePlayer(1, 1, c.pz, draws).size(), c.before) << c.pz;
    EXPECT_EQ(draws, 1) << c.pz;
  }
}

TEST_F(IsoPainterTest, EveryFaceIsDrawnOncePerFrame) {
  iso_map::IsoMapWriter writer(1, 1, 1);
  writer.AddTexture("paint");
  writer.Set(0, 0, 0, {0, 0, 0});
  Load(writer);
  // The player at (-1, 1) names cell (0, 0) in its own step, before the layer's last pass.
  int draws = 0;
  CellsBeforePlayer(-1, 1, 0, draws);

  ImageObject reference;
  reference.Create(800, 600, nullptr);
  reference.ClearToTransparent();
  const IsoBlock* block = map.GetBlock(0, 0, 0);
  ASSERT_NE(block, nullptr);
  block->Draw2D(IsoMap::AnchorX(0, 0), IsoMap::AnchorY(0, 0, 0), IsoBlock::kAllFaces);
  for (int y = 150; y < 260; ++y) {
    for (int x = 250; x < 350; ++x) {
      ASSERT_EQ(PixelAt(target.GetBitmap(), x, y), PixelAt(reference.GetBitmap(), x, y))
          << x << "," << y;
    }
  }
  // A second frame starts over.
  CellsBeforePlayer(-1, 1, 0, draws);
  EXPECT_EQ(PixelAt(target.GetBitmap(), 299, 184), PixelAt(reference.GetBitmap(), 299, 184));
  reference.Destroy();
}

}  // namespace
