#include <gtest/gtest.h>

#include <string>

#include "IsoMapWriter.h"
#include "WorldFixture.h"
#include "support/IsoFixtures.h"
#include "world/IsoMap.h"
#include "world/IsoTileTexture.h"

namespace {

// The real map manager reading real isometric files, with textures set up by scripts as content
// does.
class IsoMapLoadTest : public WorldFixture {
 protected:
  void SetUp() override {
    std::filesystem::create_directories("Data/Tiles");
    WriteTextureContainer("Data/Tiles/Standard.sif",
                          {{"grass", {0, 200, 0, 255}}, {"stone", {90, 90, 90, 255}}});
    MakeMapManager();
    ASSERT_TRUE(
        Run("DL_AddSection('World')\n"
            "DL_AddCatalogue('World', 'Textures')\n"
            "DL_AddHeading('World', 'Textures', 'Files')\n"
            "DL_RegisterTextureFile('World', 'Textures', 'Files', 'StandardTextures', "
            "'Data\\\\Tiles\\\\Standard.sif')\n"
            "MapM_SetTextureFileHeading('World', 'Textures', 'Files')\n"
            "MapM_BuildLookupList()\n"));
  }

  void WriteMap(const std::string& name, const iso_map::Bytes& bytes) {
    std::filesystem::create_directories("Maps");
    iso_map::IsoMapWriter::WriteFile("Maps/" + name + ".slf", bytes);
  }
};

TEST_F(IsoMapLoadTest, AMapLoadsWithItsTexturesAndAnswersTheCellTest) {
  iso_map::IsoMapWriter writer(2, 2, 1);
  writer.AddTexture("stone");
  writer.AddTexture("grass");
  writer.AddTexture("stone");
  writer.Set(1, 0, 0, {1, 0, 2});
  WriteMap("Meadow", writer.Write());
  WriteScript("MapScripts/Meadow.lua", "");
  log.Clear();
  map->TransitionMap("Meadow");

  ASSERT_EQ(LoadedKind(), Kind::Isometric);
  EXPECT_TRUE(
      log.Contains("MapManager:  Reading file from Maps/Meadow.slf - "
                   "stone has been queued for loading in list "
                   "Data/StandardTextures.sif in slot 0\n"))
      << log.Text();
  EXPECT_TRUE(log.Contains("into slot 2\nDone\nTrying to execute MapScripts/Meadow.lua\n"))
      << log.Text();
  ASSERT_EQ(map->GetTextureSlots().size(), 3u);
  for (const auto& slot : map->GetTextureSlots()) EXPECT_NE(slot, nullptr);
  EXPECT_EQ(map->TestCell(0, 0, 0), 1);
  EXPECT_EQ(map->TestCell(32, 0, 0), 0);
  EXPECT_EQ(map->TestCell(0, 0, 1), 0);
  const IsoBlock* block = map->GetLoaded<IsoMapKind>()->GetMap().GetBlock(1, 0, 0);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->top, map->GetTextureSlots()[1]->GetTop());
  EXPECT_EQ(block->sideB, map->GetTextureSlots()[2]->GetSideB());
}

TEST_F(IsoMapLoadTest, ADamagedMapFailsAndTakesTheChunkRoad) {
  iso_map::IsoMapWriter writer(4, 4, 4);
  writer.AddTexture("grass");
  iso_map::Bytes cut = writer.Write();
  cut.resize(cut.size() - 10);
  WriteMap("Cut", cut);
  dir.Write("Maps/Cut.plf", "");
  log.Clear();
  map->TransitionMap("Cut");
  EXPECT_EQ(LoadedKind(), Kind::Chunked);
  EXPECT_TRUE(
      log.Contains("MapManager:  Reading file from Maps/Cut.slf - Failed\n"
                   "Isometric file pathname failed, check Lineart file instead...\n"))
      << log.Text();
  EXPECT_FALSE(log.Contains("queued")) << log.Text();
  EXPECT_TRUE(map->GetTextureSlots().empty());
}

TEST_F(IsoMapLoadTest, TheNextMapReplacesTheTextures) {
  iso_map::IsoMapWriter first(1, 1, 1);
  first.AddTexture("grass");
  first.Set(0, 0, 0, {0, 0, 0});
  WriteMap("First", first.Write());
  iso_map::IsoMapWriter second(1, 1, 1);
  second.AddTexture("unknown");
  second.AddTexture("stone");
  WriteMap("Second", second.Write());
  map->TransitionMap("First");
  ASSERT_EQ(map->GetTextureSlots().size(), 1u);
  map->TransitionMap("Second");
  ASSERT_EQ(LoadedKind(), Kind::Isometric);
  ASSERT_EQ(map->GetTextureSlots().size(), 2u);
  EXPECT_EQ(map->GetTextureSlots()[0], nullptr);
  EXPECT_NE(map->GetTextureSlots()[1], nullptr);
  EXPECT_EQ(map->GetQueuedTextureCount(), 1);
}

}  // namespace
