// One tick of a crowded map's inhabitants, against the 16.7 ms a tick has: 1,000 NPCs running
// their AI queues (800 dialogue NPCs and 200 enemies walking to random points, their default
// scripts queueing the next walk) and 500 projectiles in flight over the 200 enemies (hits run
// the enemies' hit-reaction scripts and the projectiles' kill scripts; spent projectiles are
// replaced), beside the same tick with no actors and the same crowd ten times over (10,000 NPCs,
// 5,000 projectiles on a map ten screens wide), in the same run.
// Headless: build/tests/bench/bench_ActorTickBench [ticks]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "actors/AIManager.h"
#include "actors/ObjectManager.h"
#include "actors/TargetRegistry.h"
#include "core/Clock.h"
#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/Graveyard.h"
#include "core/Log.h"
#include "core/script/LuaManager.h"
#include "core/script/PropertyManager.h"
#include "program/ProgramScriptFamilies.h"
#include "resources/DataLibrary.h"
#include "support/AllegroHeadless.h"
#include "support/TempDir.h"
#include "world/CameraManager.h"
#include "world/MapManager.h"

namespace {

constexpr double kTickMs = 1000.0 / 60.0;

void Script(lua_State* state, const std::string& code) {
  if (luaL_dostring(state, code.c_str()) != 0) {
    std::fprintf(stderr, "setup failed: %s\n", lua_tostring(state, -1));
    std::exit(1);
  }
}

struct Figures {
  double mean;
  double p99;
};

// Milliseconds of each tick: the mean and the 99th percentile.
// Between ticks (not timed) the scene may be topped up.
template <class Tick, class Between>
Figures Measure(int ticks, Tick tick, Between between) {
  std::vector<double> times;
  times.reserve(static_cast<size_t>(ticks));
  for (int i = 0; i < ticks; ++i) {
    const double start = WallClock();
    tick();
    times.push_back((WallClock() - start) * 1000.0);
    between();
  }
  double sum = 0.0;
  for (double t : times) sum += t;
  std::sort(times.begin(), times.end());
  const size_t at = std::min(times.size() - 1, static_cast<size_t>(times.size() * 0.99));
  return {sum / ticks, times[at]};
}

void Report(const char* what, const Figures& f) {
  std::printf("%-44s mean %7.3f ms  p99 %7.3f ms  (%5.1f %% of a tick at p99)\n", what, f.mean,
              f.p99, 100.0 * f.p99 / kTickMs);
}

// The tick's stages that move the inhabitants, in the loop's order, inside the loop's walk.
void Tick(ObjectManager& objects, EntityManager& entities, AIManager& ai) {
  Graveyard::Walk walk;
  objects.Update();
  entities.Update();
  ai.Update();
}

struct SceneFigures {
  Figures empty{};
  Figures first{};
  Figures crowded{};
  std::string counts;
};

// A scene of scale s: 1,000 s NPCs (200 s enemies) and 500 s projectiles on a map s times as
// wide as the screen, so every scale has the same crowd per pixel.
SceneFigures RunScene(int scale, int ticks) {
  const int npcs = 1000 * scale;
  const int enemies = 200 * scale;
  const int projectiles = 500 * scale;
  const int width = 800 * scale;
  TempDir folder;
  // A game's scripts were written long before it runs.
  for (const auto& [file, code] :
       {std::pair<std::string, std::string>{
            "walk.lua",
            "NPC_PushAI('walk', -1, 'Basic Pathing', 'St|Idle', 'St|Moving',"
            " Get_Random_Number(10, " +
                std::to_string(width - 10) + "), Get_Random_Number(10, 590))\n"},
        {"hit.lua", "hits = (hits or 0) + 1\n"},
        {"kill.lua", "kills = (kills or 0) + 1\n"}}) {
    const std::filesystem::path path = folder.Write(file, code);
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(path) - std::chrono::hours(1));
  }

  LuaManager lua{ProgramScriptFamilies()};
  gLuaManager = &lua;
  DataLibrary library;
  gDataLibrary = &library;
  auto entities = std::make_unique<EntityManager>();
  gEntityManager = entities.get();
  PropertyManager router;
  gPropertyManager = &router;
  CameraManager cameras("Default", 0, 0, width, 600);
  gCameraManager = &cameras;
  auto ai = std::make_unique<AIManager>();
  gAIManager = ai.get();
  auto objects = std::make_unique<ObjectManager>();
  gObjectManager = objects.get();
  auto targets = std::make_unique<TargetRegistry>();
  gTargetRegistry = targets.get();
  auto map = std::make_unique<MapManager>();
  gMapManager = map.get();
  map->TransitionMap("MAPNONE");
  lua_State* state = lua.GetState();
  Script(state, "DefinedMap_SetDimensions(" + std::to_string(width) + ", 600)");
  SceneFigures figures;
  figures.empty = Measure(
      ticks, [&] { Tick(*objects, *entities, *ai); }, [] {});

  for (int i = 0; i < npcs; ++i) {
    const bool enemy = i < enemies;
    // Enemies stand in a band across the middle that the projectiles fly through.
    const int x = enemy ? 20 + (i % (40 * scale)) * 19 : 10 + (i * 37) % (width - 20);
    const int y = enemy ? 260 + (i / (40 * scale)) * 16 : 10 + (i * 53) % 580;
    Script(state, std::string("NPCM_AddNPC('n") + std::to_string(i) + "', '" +
                      (enemy ? "EnemyNPC" : "DialogueNPC") + "')" + " NPC_SetCoordinateData(" +
                      std::to_string(x) + ", " + std::to_string(y) +
                      ", 0, 12, 12, 12) NPC_AllocateStateVariables(2)"
                      " NPC_SetStateVariable(0, 'Idle', 0) NPC_SetStateVariable(1, 'Moving', 0)"
                      " NPC_SetDefaultScript('walk.lua')" +
                      (enemy ? " NPCBE_SetHitReactionScript('hit.lua')" : ""));
  }
  int serial = 0;
  const auto refill = [&] {
    while (objects->GetCount() < projectiles) {
      const int i = serial++;
      const int x = 10 + (i * 71) % (width - 20);
      const int down = (i % 2 == 0) ? 1 : -1;
      Script(state, "OBJM_CreateObject('shot', 'SimpleProjectile', 0, " +
                        std::to_string(down * (1 + i % 3)) + ", 0) OBJPB_SetCoordinateData(" +
                        std::to_string(x) + ", " + std::to_string(down > 0 ? 5 : 595) +
                        ", 0, 4, 4, 4) OBJPB_SetTargetFlags(1) OBJ_SetKillScript('kill.lua', 0)");
    }
  };
  refill();
  // The first tick runs every NPC's default script at once (each queues its first walk).
  figures.first = Measure(
      1, [&] { Tick(*objects, *entities, *ai); }, refill);
  figures.crowded = Measure(
      ticks, [&] { Tick(*objects, *entities, *ai); }, refill);
  Script(state, "counts = (hits or 0) .. ' hits, ' .. (kills or 0) .. ' kills'");
  lua_getglobal(state, "counts");
  figures.counts = lua_tostring(state, -1);
  lua_pop(state, 1);

  map.reset();
  objects.reset();
  targets.reset();
  ai.reset();
  entities.reset();
  ResetGlobals();
  return figures;
}

}  // namespace

int main(int argc, char** argv) {
  const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
  StartAllegroHeadless();
  const LogSink previous = SetLogSink([](std::string_view) {});

  const SceneFigures small = RunScene(1, ticks);
  const SceneFigures large = RunScene(10, ticks);

  SetLogSink(previous);
  std::printf("%d ticks each (between ticks, untimed, the projectiles are topped up)\n", ticks);
  Report("no actors", small.empty);
  Report("the first crowded tick (1,000 default scripts)", small.first);
  Report("1,000 NPCs, 500 projectiles, 200 targets", small.crowded);
  std::printf("in the crowded run: %s\n", small.counts.c_str());
  Report("the first tick of 10,000 (10,000 default scripts)", large.first);
  Report("10,000 NPCs, 5,000 projectiles, 2,000 targets", large.crowded);
  std::printf("in the run of 10,000: %s\n", large.counts.c_str());
  std::printf("ratio npc10k/npc1k %.1f\n", large.crowded.mean / small.crowded.mean);
  return 0;
}
