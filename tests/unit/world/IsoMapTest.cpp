#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "IsoMapWriter.h"
#include "support/AllegroHeadless.h"
#include "support/GlobalsFixture.h"
#include "support/IsoFixtures.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "world/IsoMap.h"
#include "world/IsoTileTexture.h"
#include "world/TextureLookupList.h"

namespace {

using iso_map::Block;
using iso_map::Bytes;
using iso_map::IsoMapWriter;

class IsoMapTest : public GlobalsFixture {
 protected:
  void SetUp() override {
    StartAllegroHeadless();
    WriteTextureContainer("textures.sif", {{"grass", {0, 200, 0, 255}},
                                           {"stone", {120, 120, 120, 255}},
                                           {"water", {0, 0, 200, 255}}});
    textures.BuildLookupList(heading.Get());
  }

  int Read(IsoMap& map, const Bytes& bytes) {
    std::FILE* file = OpenBytes(bytes);
    const int result = map.ReadFile(file, textures);
    std::fclose(file);
    return result;
  }

  TempDir dir;
  TextureHeading heading{"textures.sif"};
  TextureLookupList textures;
};

// A 2 x 3 x 2 map naming "stone", an unknown name and "grass", with a few faces pointing past
// the textures.
IsoMapWriter SmallMap() {
  IsoMapWriter writer(2, 3, 2);
  writer.AddTexture("stone");
  writer.AddTexture("nothing");
  writer.AddTexture("grass");
  writer.Set(0, 0, 0, {0, 0, 0});
  writer.Set(1, 2, 0, {2, 1, 0});
  writer.Set(1, 2, 1, {7, 2, -1});
  writer.Set(0, 1, 1, {-1, -1, -1});
  writer.SetSkipped(12345, {9, 9, 9});
  return writer;
}

TEST_F(IsoMapTest, WrittenMapReadsBackCellByCell) {
  IsoMap map;
  ASSERT_EQ(Read(map, SmallMap().Write()), IsoMap::kRead);
  ASSERT_TRUE(map.IsLoaded());
  EXPECT_EQ(map.GetSizeX(), 2);
  EXPECT_EQ(map.GetSizeY(), 3);
  EXPECT_EQ(map.GetSizeZ(), 2);

  const auto& slots = textures.GetTextureSlots();
  ASSERT_EQ(slots.size(), 3u);
  ASSERT_NE(slots[0], nullptr);
  EXPECT_EQ(slots[1], nullptr);  // the unknown name leaves its slot empty
  ASSERT_NE(slots[2], nullptr);  // and does not push "grass" out of the array

  int filled = 0;
  for (int x = 0; x < 2; ++x) {
    for (int y = 0; y < 3; ++y) {
      for (int z = 0; z < 2; ++z) filled += map.GetBlock(x, y, z) != nullptr;
    }
  }
  EXPECT_EQ(filled, 4);

  const IsoBlock* stone = map.GetBlock(0, 0, 0);
  ASSERT_NE(stone, nullptr);
  EXPECT_EQ(stone->top, slots[0]->GetTop());
  EXPECT_EQ(stone->sideA, slots[0]->GetSideA());
  EXPECT_EQ(stone->sideB, slots[0]->GetSideB());

  const IsoBlock* mixed = map.GetBlock(1, 2, 0);
  ASSERT_NE(mixed, nullptr);
  EXPECT_EQ(mixed->top, slots[2]->GetTop());
  EXPECT_EQ(mixed->sideA, nullptr);  // the unknown texture
  EXPECT_EQ(mixed->sideB, slots[0]->GetSideB());

  // Texture 7 of 3 slots: no top, the sides stay.
  const IsoBlock* past = map.GetBlock(1, 2, 1);
  ASSERT_NE(past, nullptr);
  EXPECT_EQ(past->top, nullptr);
  EXPECT_EQ(past->sideA, slots[2]->GetSideA());
  EXPECT_EQ(past->sideB, nullptr);

  const IsoBlock* bare = map.GetBlock(0, 1, 1);
  ASSERT_NE(bare, nullptr);
  EXPECT_TRUE(bare->visible);
  EXPECT_EQ(bare->top, nullptr);
}

TEST_F(IsoMapTest, CellTestTakesWorldUnitsFlooredToCells) {
  IsoMapWriter writer(3, 2, 2);
  writer.Set(1, 0, 0, {});
  writer.Set(0, 0, 1, {});
  IsoMap map;
  ASSERT_EQ(Read(map, writer.Write()), IsoMap::kRead);
  struct Case {
    int32_t x, y, z;
    bool empty;
  };
  const std::vector<Case> cases = {
      {0, 0, 0, true},       // cell (0, 0, 0) holds nothing
      {31, 31, -31, true},   // the same cell
      {0, 0, 1, false},      // above the floor: outside
      {-1, 5, -5, false},    // outside
      {32, 0, 0, false},     // cell (1, 0, 0)
      {63, 31, -31, false},  // still cell (1, 0, 0)
      {0, 0, -32, false},    // layer 1
      {0, 32, -32, true},    // cell (0, 1, 1)
      {95, 63, -63, true},   // the far corner, empty
      {96, 0, 0, false},     // past sizeX
      {0, 64, 0, false},     // past sizeY
      {0, 0, -64, false},    // past sizeZ
      {INT32_MAX, INT32_MAX, INT32_MIN, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(map.IsCellEmpty(c.x, c.y, c.z), c.empty) << c.x << "," << c.y << "," << c.z;
  }
}

TEST_F(IsoMapTest, NoTexturesAndNoCellsLoadsAnEmptyMapOfThatSize) {
  IsoMap map;
  ASSERT_EQ(Read(map, IsoMapWriter(4, 5, 3).Write()), IsoMap::kRead);
  EXPECT_TRUE(map.IsLoaded());
  EXPECT_EQ(map.GetSizeX() * map.GetSizeY() * map.GetSizeZ(), 60);
  EXPECT_TRUE(map.IsCellEmpty(127, 159, -95));
  EXPECT_TRUE(textures.GetTextureSlots().empty());
}

TEST_F(IsoMapTest, WrongVersionLogsTheBytesReadAndLoadsNothing) {
  IsoMap map;
  ASSERT_EQ(Read(map, SmallMap().Write()), IsoMap::kRead);

  struct Case {
    std::string bytes;
    std::string line;
  };
  const std::vector<Case> cases = {
      {"TolvaIsoMap1.1 and more", "ReadFile:  FAILURE, TolvaIsoMap1.1 it the wrong file version\n"},
      {"tolvaIsoMap1.0", "ReadFile:  FAILURE, tolvaIsoMap1.0 it the wrong file version\n"},
      {"Tolva", "ReadFile:  FAILURE, Tolva it the wrong file version\n"},
      {"", "ReadFile:  FAILURE,  it the wrong file version\n"},
  };
  for (const Case& c : cases) {
    LogCapture log;
    EXPECT_EQ(Read(map, Bytes(c.bytes.begin(), c.bytes.end())), IsoMap::kWrongVersion);
    EXPECT_EQ(log.Text(), c.line);
    EXPECT_FALSE(map.IsLoaded());
    // The textures of the last map went before the magic was looked at.
    EXPECT_TRUE(textures.GetTextureSlots().empty());
  }
}

TEST_F(IsoMapTest, DamagedFilesAreRefusedWholeAndQueueNothing) {
  const IsoMapWriter writer = SmallMap();
  const Bytes good = writer.Write();
  const auto cut = [&](size_t keep) { return Bytes(good.begin(), good.begin() + keep); };
  const auto with = [&](std::vector<std::pair<size_t, int32_t>> changes) {
    Bytes bytes = good;
    for (const auto& [at, value] : changes) IsoMapWriter::Overwrite(bytes, at, value);
    return bytes;
  };
  const size_t sizes = writer.SizesOffset();
  struct Case {
    const char* name;
    Bytes bytes;
  };
  const std::vector<Case> cases = {
      {"header cut in the skipped value", cut(16)},
      {"skipped block longer than the file", cut(writer.TextureCountOffset() - 1)},
      {"no texture count", cut(writer.TextureCountOffset() + 2)},
      {"negative texture count", with({{writer.TextureCountOffset(), -1}})},
      {"texture count past the bytes", with({{writer.TextureCountOffset(), 1 << 30}})},
      {"name table cut short", cut(writer.TextureCountOffset() + 9)},
      {"sizes cut short", cut(sizes + 6)},
      {"negative size x", with({{sizes, -2}})},
      {"negative size z", with({{sizes + 8, -1}})},
      {"huge sizes", with({{sizes, 1 << 20}, {sizes + 4, 1 << 20}})},
      {"sizes whose product passes 64 bits",
       with({{sizes, INT32_MAX}, {sizes + 4, INT32_MAX}, {sizes + 8, INT32_MAX}})},
      {"a huge side beside a side of 0", with({{sizes, INT32_MAX}, {sizes + 4, 0}})},
      {"more cells than bytes", with({{sizes + 8, 40}})},
      {"grid cut in a block's numbers", cut(good.size() - 3)},
      {"grid cut before the last cell", cut(good.size() - 1)},
  };
  for (const Case& c : cases) {
    IsoMap map;
    LogCapture log;
    EXPECT_EQ(Read(map, c.bytes), IsoMap::kDamaged) << c.name;
    EXPECT_FALSE(map.IsLoaded()) << c.name;
    EXPECT_FALSE(map.IsCellEmpty(0, 0, 0)) << c.name;
    EXPECT_EQ(textures.GetQueuedTextureCount(), 0) << c.name;
    EXPECT_FALSE(log.Contains("queued")) << c.name;
  }
}

TEST_F(IsoMapTest, NullFileChangesNothing) {
  IsoMap map;
  ASSERT_EQ(Read(map, SmallMap().Write()), IsoMap::kRead);
  EXPECT_EQ(map.ReadFile(nullptr, textures), IsoMap::kNoFile);
  EXPECT_TRUE(map.IsLoaded());
  EXPECT_EQ(textures.GetTextureSlots().size(), 3u);
}

}  // namespace
