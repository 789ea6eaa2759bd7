#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "LevelWriter.h"
#include "WorldFixture.h"
#include "core/DeferredCallList.h"
#include "core/RootEntity.h"
#include "core/script/ScriptVariableStore.h"
#include "support/PlayerStandIn.h"
#include "world/BackgroundObject.h"
#include "world/CellTest.h"
#include "world/Chunk.h"
#include "world/ChunkLoader.h"
#include "world/DefinedMap.h"
#include "world/IsoMap.h"
#include "world/WorldClick.h"

namespace {

// What the fake maps were asked, in order, and how many of them live.
struct Record {
  std::vector<std::string> calls;
  int isoMapsAlive = 0;
  int levelsAlive = 0;
};

class FakeIsoMap : public IsoMap {
 public:
  FakeIsoMap(Record& record, bool readable) : record(record), readable(readable) {
    ++record.isoMapsAlive;
  }
  ~FakeIsoMap() override { --record.isoMapsAlive; }
  int ReadFile(std::FILE* file, TextureLookupList&) override {
    return file != nullptr && readable ? kRead : kDamaged;
  }
  bool IsCellEmpty(int32_t x, int32_t y, int32_t z) const override {
    return x == 1 && y == 2 && z == 3;
  }
  void Draw(ImageObject*, WorldPlayer*) override { record.calls.push_back("iso"); }

 private:
  Record& record;
  bool readable;
};

// A level of 3 x 2 chunks.
class FakeLevel : public ChunkLoader {
 public:
  explicit FakeLevel(Record& record) : record(record) { ++record.levelsAlive; }
  ~FakeLevel() override { --record.levelsAlive; }
  int32_t OpenLevel(const char* path) override {
    record.calls.push_back(std::string("open ") + path);
    return 0;
  }
  int32_t GetChunksAcross() const override { return 3; }
  int32_t GetChunksDown() const override { return 2; }
  int32_t TestCell(int32_t x, int32_t y) override {
    record.calls.push_back("cell " + std::to_string(x) + " " + std::to_string(y));
    return 1;
  }
  void SetActiveArea(int32_t column, int32_t row) override {
    record.calls.push_back("area " + std::to_string(column) + " " + std::to_string(row));
  }
  void Update() override { record.calls.push_back("update"); }
  void DrawLower(const Camera&) override { record.calls.push_back("lower"); }
  void DrawUpper(const Camera&) override { record.calls.push_back("upper"); }

 private:
  Record& record;
};

// An entity whose update runs a script, as an NPC's does.
class ScriptedEntity : public RootEntity {
 public:
  ScriptedEntity(const char* script, int& alive) : script(script), alive(alive) { ++alive; }
  ~ScriptedEntity() override { --alive; }
  void Update() override {
    gLuaManager->ExecuteScript(script, 0);
    ++updates;
  }
  int updates = 0;

 private:
  const char* script;
  int& alive;
};

class MapManagerTest : public WorldFixture {
 protected:
  // Map managers whose readers are the fakes; isometric files read when readable is set.
  void MakeFakeMapManager(bool isoReadable = false) {
    MakeMapManager(
        {[this, isoReadable] { return std::make_unique<FakeIsoMap>(record, isoReadable); },
         [this] { return std::make_unique<FakeLevel>(record); }});
  }

  Record record;
};

TEST_F(MapManagerTest, TheKindFollowsTheNameAndTheFilesThere) {
  struct Case {
    const char* name;
    std::vector<const char*> files;
    bool isoReadable;
    Kind kind;
    const char* logged;
  } cases[] = {
      {"MAPNONE", {"Maps/MAPNONE.plf"}, true, Kind::ClipMap, ""},
      {"mapnone",
       {},
       false,
       Kind::None,
       "MapManager:  Reading file from Maps/mapnone.slf - Failed\n"
       "Isometric file pathname failed, check Lineart file instead...\n"
       "Failed to find file!\n"},
      {"MAPNONE1",
       {"Maps/MAPNONE1.plf"},
       false,
       Kind::Chunked,
       "MapManager:  Reading file from Maps/MAPNONE1.slf - Failed\n"
       "Isometric file pathname failed, check Lineart file instead...\n"
       "No matching script file found.\n"},
      {"Both",
       {"Maps/Both.slf", "Maps/Both.plf", "MapScripts/Both.lua"},
       true,
       Kind::Isometric,
       "MapManager:  Reading file from Maps/Both.slf - Done\n"
       "Trying to execute MapScripts/Both.lua\n"},
      {"BadIso",
       {"Maps/BadIso.slf", "Maps/BadIso.plf", "MapScripts/BadIso.lua"},
       false,
       Kind::Chunked,
       "MapManager:  Reading file from Maps/BadIso.slf - Failed\n"
       "Isometric file pathname failed, check Lineart file instead...\n"},
      // No existence test on the isometric road: a missing script is Lua's load error.
      {"IsoAlone",
       {"Maps/IsoAlone.slf"},
       true,
       Kind::Isometric,
       "MapManager:  Reading file from Maps/IsoAlone.slf - Done\n"
       "Trying to execute MapScripts/IsoAlone.lua\n"
       "Lua Error during Loading: cannot open MapScripts/IsoAlone.lua: No such file or "
       "directory\n"},
  };
  for (const Case& c : cases) {
    for (const char* file : c.files) dir.Write(file, "");
    MakeFakeMapManager(c.isoReadable);
    log.Clear();
    map->TransitionMap(c.name);
    EXPECT_EQ(LoadedKind(), c.kind) << c.name;
    EXPECT_EQ(log.Text(), c.logged) << c.name;
    EXPECT_EQ(*map->GetMapLoadTarget(), c.name);
  }
}

TEST_F(MapManagerTest, WithoutATargetTheDefaultMapLoads) {
  MakeFakeMapManager();
  map->LoadMap();
  EXPECT_EQ(*map->GetMapLoadTarget(), "TolvaCube");
  EXPECT_TRUE(log.Contains("Reading file from Maps/TolvaCube.slf - Failed\n"));
}

TEST_F(MapManagerTest, AFailedIsometricReadKeepsNoMapAndNoFileOpen) {
  dir.Write("Maps/Broken.slf", "not a map");
  MakeFakeMapManager(false);
  const auto openFiles = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                         std::filesystem::directory_iterator());
  };
  const auto before = openFiles();
  map->TransitionMap("Broken");
  EXPECT_EQ(openFiles(), before);
  EXPECT_EQ(record.isoMapsAlive, 0);
  EXPECT_EQ(map->GetLoaded<IsoMapKind>(), nullptr);
  EXPECT_EQ(LoadedKind(), Kind::None);
}

TEST_F(MapManagerTest, TheLevelSizeOverwritesBoundariesTheChunkScriptSet) {
  dir.Write("Maps/Level.plf", "");
  WriteScript("MapScripts/Level.lua", "Cam_SetBoundaries(0, 0, 5000, 5000)\n");
  MakeFakeMapManager();
  map->TransitionMap("Level");
  Camera& camera = DefaultCamera();
  EXPECT_EQ(camera.GetMaxX(), 768);
  EXPECT_EQ(camera.GetMaxY(), 512);
  EXPECT_EQ(camera.GetMapModeFlag(), 0);
  EXPECT_EQ(lua.GetScriptCode(), -2);
  EXPECT_EQ(record.calls.front(), "open Maps/Level.plf");
}

TEST_F(MapManagerTest, LoadingAMapRecomputesTheDefaultCameraView) {
  Camera& camera = DefaultCamera();
  camera.SetBoundaries(0, 0, 10000, 10000);
  camera.Move(100, 100);
  for (int i = 0; i < 30; ++i) camera.Move(100, 100);
  ASSERT_EQ(camera.GetViewX(), 3100);
  dir.Write("Maps/Iso.slf", "");
  dir.Write("MapScripts/Iso.lua", "");
  MakeFakeMapManager(true);
  map->TransitionMap("Iso");
  EXPECT_EQ(camera.GetMapModeFlag(), 1);
  EXPECT_EQ(camera.GetViewX(), 0);
  EXPECT_EQ(camera.GetViewRight(), 800);
  EXPECT_EQ(lua.GetScriptCode(), -1);
}

TEST_F(MapManagerTest, AMapScriptThatLoadsAnotherMapEndsWithThatMap) {
  dir.Write("Maps/First.plf", "");
  WriteScript("MapScripts/First.lua",
              "MapM_TransitionMap('MAPNONE')\n"
              "DefinedMap_SetDimensions(640, 480)\n");
  MakeFakeMapManager();
  map->TransitionMap("First");
  EXPECT_EQ(LoadedKind(), Kind::ClipMap);
  EXPECT_EQ(record.levelsAlive, 0);
  // The outer load did not put the first level's size over the clip map's.
  EXPECT_EQ(DefaultCamera().GetMaxX(), 640);
  EXPECT_EQ(map->GetLoadCount(), 2u);
  EXPECT_EQ(*map->GetMapLoadTarget(), "MAPNONE");
}

TEST_F(MapManagerTest, AMapChangeFromAnUpdateDestroysTheRunningEntityAfterTheWalk) {
  int alive = 0;
  WriteScript("travel.lua", "MapM_TransitionMap('MAPNONE')\n");
  MakeFakeMapManager();
  auto* traveller = new ScriptedEntity("travel.lua", alive);
  entities.RegisterPointer("NPC", "traveller", traveller);
  entities.RegisterPointer("NPC", "bystander", new ScriptedEntity("travel.lua", alive));
  ASSERT_EQ(alive, 2);
  entities.Update();  // the first update clears the registry under the walk
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(entities.All().GetCount(), 0);
  EXPECT_EQ(LoadedKind(), Kind::ClipMap);
}

TEST_F(MapManagerTest, TransitionsKeepSceneryCamerasAndEnvironmentVariables) {
  AddSceneryImage("cloud", 10, 10, {255, 255, 255, 255});
  MakeFakeMapManager();
  ASSERT_TRUE(Run(R"(
    BackgroundManager_SpawnObject("cloud", "cloud", 0, 0, 1, 1, 0)
    CM_AddCamera("Side", 0, 0, 100, 100)
    Env_AddScriptVariableI("visits", 3)
    MapM_TransitionMap("MAPNONE")
    MapM_TransitionMap("Elsewhere")
    visits = Env_GetScriptVariableI("visits")
  )"));
  EXPECT_EQ(Number("visits"), 3);
  EXPECT_EQ(scenery->GetCount(), 1);
  EXPECT_NE(cameras->FindCamera("Side"), nullptr);
  int alive = 0;
  entities.RegisterPointer("NPC", "npc", new ScriptedEntity("none.lua", alive));
  map->TransitionMap("MAPNONE");
  EXPECT_EQ(alive, 0);
}

TEST_F(MapManagerTest, EachKindAnswersTheCellTestInItsOwnSense) {
  MakeFakeMapManager(true);
  EXPECT_EQ(map->TestCell(1, 2, 3), 0);  // no map
  EXPECT_FALSE(CellIsFreeForWalker(1, 2, 3));
  EXPECT_FALSE(CellIsSolid(1, 2, 3));

  dir.Write("Maps/Iso.slf", "");
  map->TransitionMap("Iso");
  EXPECT_EQ(map->TestCell(1, 2, 3), 1);
  EXPECT_TRUE(CellIsFreeForWalker(1, 2, 3));
  EXPECT_TRUE(CellIsSolid(1, 2, 3));  // read as solid, as the side-view callers read it
  EXPECT_FALSE(CellIsFreeForWalker(0, 2, 3));

  dir.Write("Maps/Level.plf", "");
  MakeFakeMapManager(false);
  map->TransitionMap("Level");
  record.calls.clear();
  EXPECT_EQ(map->TestCell(300, 100, 9), 1);
  EXPECT_EQ(record.calls, std::vector<std::string>{"cell 300 35"});  // 65 pixels above

  gMapManager = nullptr;
  EXPECT_FALSE(CellIsSolid(1, 2, 3));
}

TEST_F(MapManagerTest, AnUnreadableLevelMissesEveryCellWithItsLine) {
  dir.Write("Maps/Level.plf", "");
  MakeMapManager();  // the built-in level reader
  map->TransitionMap("Level");
  ASSERT_EQ(LoadedKind(), Kind::Chunked);
  EXPECT_EQ(DefaultCamera().GetMaxX(), 0);
  log.Clear();
  EXPECT_EQ(map->TestCell(600, 365, 0), 0);
  EXPECT_EQ(log.Text(), "Failed 2x1\n");
}

TEST_F(MapManagerTest, ClicksReachTheNPCsThroughTheClickMode) {
  MakeFakeMapManager();
  struct ClickRecorder : WorldClick {
    explicit ClickRecorder(Record& record) : record(record) {}
    void SetMousePosition(float x, float y) override {
      record.calls.push_back("mouse " + std::to_string(x) + " " + std::to_string(y));
    }
    Record& record;
  } clicks(record);
  gWorldClick = &clicks;
  struct ClickReader : RootEntity {
    void Update() override { seen.push_back(gEntityManager->GetClickMode()); }
    std::vector<int32_t> seen;
  };
  auto* npc = new ClickReader();
  entities.RegisterPointer("NPC", "npc", npc);
  map->HandleEvent(MapManager::kMousePressed, 12, 34);
  map->HandleEvent(MapManager::kMouseReleased, 5, 6);
  map->HandleEvent(7, 0, 0);
  EXPECT_EQ(npc->seen, (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(record.calls,
            (std::vector<std::string>{"mouse 12.000000 34.000000", "mouse 5.000000 6.000000"}));
  EXPECT_EQ(entities.GetClickMode(), -1);
}

TEST_F(MapManagerTest, EachTickOnALevelStreamsAroundThePlayerAndSetsGameModeZero) {
  PlayerStandIn player;
  player.PlaceCentre(700, -300);
  std::vector<int32_t> modes;
  player.onMode = [&modes](int32_t mode) { modes.push_back(mode); };
  gWorldPlayer = &player;
  MakeFakeMapManager();
  map->HandleEvent(MapManager::kTick, -1, -1);  // no level: nothing
  EXPECT_TRUE(record.calls.empty());
  EXPECT_TRUE(modes.empty());

  dir.Write("Maps/Level.plf", "");
  map->TransitionMap("Level");
  record.calls.clear();
  map->HandleEvent(MapManager::kTick, -1, -1);
  player.hasBounds = false;  // a player without bounds is not read through
  map->HandleEvent(MapManager::kTick, -1, -1);
  EXPECT_EQ(record.calls, (std::vector<std::string>{"area 2 -1", "update", "update"}));
  EXPECT_EQ(modes, (std::vector<int32_t>{0, 0}));
}

TEST_F(MapManagerTest, ALevelFollowsThePlayerAndDrawsItsTwoLayersAroundTheActors) {
  // Chunk (i, j) is blocked left of x = 8 + i + j, drawn above the actors in its top 4 rows of
  // pixels in red, below them elsewhere in (10 i, 10 j, 200).
  const chunk_level::Painter paint = [](int32_t i, int32_t j, chunk_level::ChunkRecord& record) {
    for (int32_t x = 0; x < 256; ++x) {
      for (int32_t y = 0; y < 256; ++y) {
        const bool above = y < 4;
        record.Set(x, y,
                   {.r = static_cast<uint8_t>(above ? 255 : 10 * i),
                    .g = static_cast<uint8_t>(above ? 0 : 10 * j),
                    .b = static_cast<uint8_t>(above ? 0 : 200),
                    .a = 255,
                    .clip = static_cast<int16_t>(x < 8 + i + j ? 1 : 0),
                    .layer = static_cast<int8_t>(above ? -1 : 0)});
      }
    }
  };
  std::filesystem::create_directories("Maps");
  chunk_level::WriteFile("Maps/Level.plf", chunk_level::LevelWriter(6, 6).Compressed(paint, 1));
  WriteScript("MapScripts/Level.lua", "");
  PlayerStandIn player;
  player.PlaceCentre(300, 300);
  gWorldPlayer = &player;
  DeferredCallList calls;
  gDeferredCallList = &calls;
  MakeMapManager();
  map->TransitionMap("Level");
  EXPECT_EQ(DefaultCamera().GetMaxX(), 6 * 256);
  EXPECT_EQ(DefaultCamera().GetMaxY(), 6 * 256);

  // The cell test reads 65 pixels above the point it is given.
  const auto expectClips = [&](int32_t i, int32_t j) {
    const int32_t x = i * 256 + 8 + i + j, y = j * 256 + 100 + 65;
    EXPECT_EQ(map->TestCell(x - 1, y, 0), 0) << i << "," << j;
    EXPECT_EQ(map->TestCell(x, y, 0), 1) << i << "," << j;
  };
  // The block around the player is read by the load itself, before any tick moves the player.
  expectClips(1, 1);
  map->HandleEvent(MapManager::kTick, -1, -1);
  expectClips(1, 1);
  expectClips(2, 0);
  EXPECT_EQ(map->TestCell(4 * 256 + 100, 300, 0), 0);  // outer ring, still loading
  while (calls.GetCount() > 0) calls.Run(0.0, true);
  expectClips(4, 1);

  // The player walks to the far corner: the block follows, the chunks left behind go.
  player.PlaceCentre(5 * 256 + 10, 5 * 256 + 10);
  map->HandleEvent(MapManager::kTick, -1, -1);
  expectClips(5, 5);
  expectClips(4, 4);
  log.Clear();
  EXPECT_EQ(map->TestCell(10, 10 + 65, 0), 0);
  EXPECT_EQ(log.Text(), "Failed 0x0\n");
  while (calls.GetCount() > 0) calls.Run(0.0, true);

  // Lower layer in pass 0, upper layer in pass 1, against the camera's view corner.
  DefaultCamera().Move(100, 30);
  DefaultCamera().Recompute();
  const int32_t left = DefaultCamera().GetViewX(), top = DefaultCamera().GetViewY();
  ASSERT_GT(left, 0);
  ImageObject* target = DefaultCamera().GetImage();
  target->ClearToBlack();
  map->Draw(target, &DefaultCamera(), 0);
  const int32_t x = 256 + 20 - left, y = 256 - top;
  EXPECT_EQ(PixelAt(target->GetBitmap(), x, y + 2), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(PixelAt(target->GetBitmap(), x, y + 9), (Rgba{10, 10, 200, 255}));
  map->Draw(target, &DefaultCamera(), 1);
  EXPECT_EQ(PixelAt(target->GetBitmap(), x, y + 2), (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(PixelAt(target->GetBitmap(), x, y + 9), (Rgba{10, 10, 200, 255}));

  map->TransitionMap("MAPNONE");
  EXPECT_FALSE(dir.Exists("ActiveChunks.pcf"));
  gDeferredCallList = nullptr;
}

// Before any player is there the level holds the 5 x 5 block at its first chunk, not nothing.
TEST_F(MapManagerTest, WithNoPlayerALevelHoldsTheBlockAtItsFirstChunk) {
  const chunk_level::Painter paint = [](int32_t i, int32_t j, chunk_level::ChunkRecord& record) {
    for (int32_t x = 0; x < 256; ++x) {
      for (int32_t y = 0; y < 256; ++y) {
        record.Set(x, y, {.r = 1, .a = 255, .clip = static_cast<int16_t>(x < 8 + i + j ? 1 : 0)});
      }
    }
  };
  std::filesystem::create_directories("Maps");
  chunk_level::WriteFile("Maps/Level.plf", chunk_level::LevelWriter(6, 6).Compressed(paint, 1));
  MakeMapManager();
  map->TransitionMap("Level");
  map->HandleEvent(MapManager::kTick, -1, -1);
  for (const auto& [i, j] : {std::pair{0, 0}, {4, 0}, {0, 4}, {4, 4}}) {
    const int32_t x = i * 256 + 8 + i + j, y = j * 256 + 100 + 65;
    EXPECT_EQ(map->TestCell(x - 1, y, 0), 0) << i << "," << j;
    EXPECT_EQ(map->TestCell(x, y, 0), 1) << i << "," << j;
  }
  log.Clear();
  EXPECT_EQ(map->TestCell(5 * 256 + 100, 100 + 65, 0), 0);
  EXPECT_EQ(log.Text(), "Failed 5x0\n");
}

TEST_F(MapManagerTest, DrawPassesByKindAndDisplayFlags) {
  std::vector<std::string>& calls = record.calls;
  PlayerStandIn player;
  player.onDraw = [&calls](ImageObject*, Camera*) { calls.push_back("player"); };
  gWorldPlayer = &player;
  dir.Write("Maps/Level.plf", "");
  MakeFakeMapManager();
  map->TransitionMap("Level");
  // Loading makes the camera's image again.
  ImageObject* target = DefaultCamera().GetImage();
  calls.clear();
  map->Draw(target, &DefaultCamera(), 0);
  map->Draw(target, &DefaultCamera(), 1);
  EXPECT_EQ(calls, (std::vector<std::string>{"lower", "player", "upper"}));

  calls.clear();
  map->SetMapDisplayState(false);
  map->Draw(target, &DefaultCamera(), 0);
  map->Draw(target, &DefaultCamera(), 1);
  EXPECT_TRUE(calls.empty());

  map->SetMapDisplayState(true);
  map->TransitionMap("MAPNONE");
  target = DefaultCamera().GetImage();
  map->Draw(target, &DefaultCamera(), 0);
  map->Draw(target, &DefaultCamera(), 1);
  EXPECT_TRUE(calls.empty());
}

TEST_F(MapManagerTest, PassZeroDrawsTheSceneryOnlyWhenItIsShown) {
  AddSceneryImage("red", 4, 4, {255, 0, 0, 255});
  MakeFakeMapManager();
  scenery->SpawnObject("red", "red", 0, 0, 0, 0, 0);
  ImageObject* target = DefaultCamera().GetImage();
  target->ClearToBlack();
  map->Draw(target, &DefaultCamera(), 0);
  EXPECT_EQ(PixelAt(target->GetBitmap(), 1, 1), (Rgba{0, 0, 0, 255}));
  ASSERT_TRUE(Run("MapM_SetBackgroundDisplayState(1) MapM_SetMapDisplayState(0)"));
  map->Draw(target, &DefaultCamera(), 0);
  EXPECT_EQ(PixelAt(target->GetBitmap(), 1, 1), (Rgba{255, 0, 0, 255}));
  EXPECT_FALSE(map->GetMapDisplayState());
}

TEST_F(MapManagerTest, ScriptFunctionsAndTheirFailureLines) {
  MakeFakeMapManager();
  ExpectFailures({
      {"MapM_SetBackgroundDisplayState()",
       "MapM SetBackgroundDisplayState:  Failed, invalid argument list\n"},
      {"MapM_SetMapDisplayState(1, 2)",
       "MapM SetMapDisplayState:  Failed, invalid argument list\n"},
      {"MapM_TransitionMap()", "MapM TransitionMap:  Failed, invalid argument list\n"},
      {"MapM_TransitionMap({})", "MapM TransitionMap:  Failed, invalid argument list\n"},
      {"MapM_SetMapLoadTarget('a', 'b')",
       "MapM SetMapLoadTarget:  Failed, invalid argument list\n"},
      {"MapM_SetDefaultPosition(1)", "MapM SetDefaultPosition:  Failed, invalid argument list\n"},
      {"MapM_SetTextureFileHeading('a', 'b')",
       "MapM_SetTextureFileHeading:  Failed, invalid argument list\n"},
      {"MapM_SetTextureFileHeading('Images', 'Background', 'Nope')",
       "DataLibrary - GetHeading(N):  Failed, Nope not found\n"
       "MapM_SetTextureFileHeading:  Failed, Heading not found\n"},
      {"MapM_BuildLookupList(1, 2)",
       "MapManager:  Warning, cannot build lookup list, rTextureFileHeading was invalid.\n"},
  });
  ASSERT_TRUE(Run("MapM_SetTextureFileHeading('Images', 'Background', 'Scenery')"));
  EXPECT_NE(map->GetTextureFileHeading(), nullptr);
  ExpectFailure("MapM_BuildLookupList()", "MapManager:  Warning, no StandardTextures was found\n");
  ASSERT_TRUE(Run("MapM_SetMapLoadTarget('Later')"));
  EXPECT_EQ(*map->GetMapLoadTarget(), "Later");
  EXPECT_EQ(LoadedKind(), Kind::None);

  map.reset();
  gMapManager = nullptr;
  ExpectFailure("MapM_TransitionMap('x')", "MapM TransitionMap:  Failed, manager not created\n");
  ExpectFailure("Env_GetScriptVariableI('x')",
                "Env GetScriptVariableI:  Failed, manager not created\n");
}

TEST_F(MapManagerTest, TheDefaultPositionIsSetOnlyDuringStartUp) {
  std::vector<std::pair<int32_t, int32_t>> placed;
  PlayerStandIn player;
  player.onPlace = [&placed](float x, float y, float) {
    placed.emplace_back(static_cast<int32_t>(x), static_cast<int32_t>(y));
  };
  gWorldPlayer = &player;
  MakeFakeMapManager();
  gInitialising = true;
  ASSERT_TRUE(Run("MapM_SetDefaultPosition(40.7, 50)"));
  gInitialising = false;
  ASSERT_TRUE(Run("MapM_SetDefaultPosition(1, 2)"));
  EXPECT_EQ(placed, (std::vector<std::pair<int32_t, int32_t>>{{40, 50}}));
}

}  // namespace
