// One tick of the player and the triggers, against the 16.7 ms a tick has: the player's update
// with collision, walking diagonally with a key held, on each map kind; then 200 triggers checked,
// none of them firing, and the same with 20 of them running a one-line script.
//
// The maps are written here: a 32 x 32 isometric map with a ground layer (the player walks on it,
// in the layer above), a 4000 x 3000 clip map with a floor for the side view, a chunked level of
// 16 x 16 free chunks (streamed by the map's tick, outside the measured update).
// Headless: build/tests/bench/bench_PlayerTriggerBench [ticks]

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "IsoMapWriter.h"
#include "LevelWriter.h"
#include "actors/Player.h"
#include "core/Clock.h"
#include "core/Globals.h"
#include "core/KeyboardManager.h"
#include "core/Log.h"
#include "core/script/LuaManager.h"
#include "core/script/PropertyManager.h"
#include "program/ProgramScriptFamilies.h"
#include "support/AllegroHeadless.h"
#include "support/KeyState.h"
#include "support/TempDir.h"
#include "world/CameraManager.h"
#include "world/ChunkLoader.h"
#include "world/ClipMapKind.h"
#include "world/IsoMap.h"
#include "world/MapManager.h"
#include "world/TriggerManager.h"

namespace {

constexpr double kTickMs = 1000.0 / 60.0;

// Milliseconds per tick of the work; between ticks (untimed) the given step.
template <class Work, class Between>
double Measure(int ticks, Work work, Between between) {
  double spent = 0.0;
  for (int i = 0; i < ticks; ++i) {
    const double start = WallClock();
    work();
    spent += WallClock() - start;
    between();
  }
  return spent * 1000.0 / ticks;
}
template <class Work>
double Measure(int ticks, Work work) {
  return Measure(ticks, work, [] {});
}

void Report(const char* what, double ms) {
  std::printf("%-60s %8.4f ms  %6.2f %% of a tick\n", what, ms, 100.0 * ms / kTickMs);
}

void Script(lua_State* state, const std::string& code) {
  if (luaL_dostring(state, code.c_str()) != 0) {
    std::fprintf(stderr, "setup failed: %s\n", lua_tostring(state, -1));
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  TempDir folder;
  {
    iso_map::IsoMapWriter iso(32, 32, 2);
    const int32_t grass = iso.AddTexture("grass");
    for (int32_t x = 0; x < 32; ++x) {
      for (int32_t y = 0; y < 32; ++y) iso.Set(x, y, 0, {grass, grass, grass});
    }
    chunk_level::WriteFile((folder.Path() / "iso.slf").string(), iso.Write());
    chunk_level::WriteFile((folder.Path() / "level.plf").string(),
                           chunk_level::LevelWriter(16, 16).Compressed(nullptr, 1));
  }
  folder.Write("fire.lua", "n = (n or 0) + 1\n");
  StartAllegroHeadless();
  const LogSink previous = SetLogSink([](std::string_view) {});

  LuaManager lua{ProgramScriptFamilies()};
  gLuaManager = &lua;
  PropertyManager router;
  gPropertyManager = &router;
  CameraManager cameras("Default", 0, 0, gScreenWidth, gScreenHeight);
  gCameraManager = &cameras;
  KeyboardManager keyboard;
  gKeyboardManager = &keyboard;
  MapManager map;
  gMapManager = &map;
  auto player = std::make_unique<Player>();
  gPlayer = player.get();
  // As the program wires it: the triggers read the box, the chunk loader the centre.
  gWorldPlayer = gPlayer;
  TriggerManager triggers;
  gTriggerManager = &triggers;

  // Right and down held all along, the way a player walks.
  const ALLEGRO_KEYBOARD_STATE held = KeysHeld({ALLEGRO_KEY_RIGHT, ALLEGRO_KEY_DOWN});
  const auto walk = [&] {
    keyboard.UpdateActions(held);
    player->Update();
  };
  struct Case {
    const char* what;
    const char* mapName;
    int32_t mode;
    float z;
    bool sized;
  };
  const Case cases[] = {
      {"player, no map (every step refused)", nullptr, 0, 0.0f, false},
      {"player, unsized clip map, default scheme (all free)", "MAPNONE", 0, 0.0f, false},
      {"player, 4000x3000 clip map with a floor, side view", "MAPNONE", 2, 2499.0f, true},
      {"player, isometric map, mode 1 (probe 16)", "iso", 1, -32.0f, false},
      {"player, chunked level, default scheme", "level", 0, 0.0f, false},
  };
  std::printf("%d ticks; each figure is the work of one tick\n", ticks);
  for (const Case& c : cases) {
    if (c.mapName == nullptr) {
      map.UnloadMap();
    } else {
      map.TransitionMap(c.mapName);
    }
    if (c.sized) {
      DefinedMap& clip = map.GetLoaded<ClipMapKind>()->GetMap();
      clip.SetDimensions(4000, 3000);
      clip.ClipArea(1, 0, 2500, 4000, 3000);
    }
    player->SetGameMode(c.mode);
    player->SetPosition(100, 100, c.z);
    const double ms = Measure(ticks, walk, [&] {
      map.HandleEvent(MapManager::kTick, -1, -1);
      // Keeps it on the map: back to the start now and then.
      if (player->GetXPos() > 900.0f || player->GetYPos() > 900.0f) {
        player->SetPosition(100, 100, c.z);
      }
    });
    Report(c.what, ms);
    // Only the case without a map stands still.
    if ((player->GetXPos() == 100.0f) != (c.mapName == nullptr)) {
      std::fprintf(stderr, "the player moved as it should not: %s\n", c.what);
    }
  }

  // 150 rectangles the player is outside of, 50 property triggers whose comparisons fail.
  map.TransitionMap("MAPNONE");
  player->SetGameMode(0);
  player->SetPosition(100, 100, 0);
  player->RecomputeBounds();
  lua_State* state = lua.GetState();
  Script(state, R"(
    for i = 1, 150 do
      AddRectangularTrigger('r' .. i, 1000 + i * 20, 0, 1010 + i * 20, 100)
      SetTriggerProperties('fire.lua', i, 0, 0, 0)
    end
    for i = 1, 50 do
      AddPropertyTrigger('p' .. i)
      TriggerWatchProperty('Player', '', 'XPos')
      TriggerAddEquivalency('left', 2, 0)
      TriggerAddEquivalency('far', 4, 10000)
      SetTriggerProperties('fire.lua', i, 0, 0, 0)
    end
  )");
  Report("200 triggers, none firing", Measure(ticks, [&] { triggers.Update(0.0f); }));
  // 20 of the rectangles move under the player: they fire every tick.
  for (int i = 0; i < 20; ++i) {
    Script(state, "SetActiveTrigger('r" + std::to_string(i + 1) + "')");
    triggers.RemoveTrigger(("r" + std::to_string(i + 1)).c_str());
    Script(state,
           "AddRectangularTrigger('hit', 0, 0, 1000, 1000)"
           " SetTriggerProperties('fire.lua', 1, 0, 0, 0)");
  }
  Report("200 triggers, 20 firing a one-line script",
         Measure(ticks, [&] { triggers.Update(0.0f); }));
  Script(state, "fired = n or 0");
  lua_getglobal(state, "fired");
  if (lua_tonumber(state, -1) < ticks * 20) std::fprintf(stderr, "the triggers did not fire\n");
  lua_pop(state, 1);

  triggers.ClearTriggers();
  player.reset();
  ResetGlobals();
  al_set_target_bitmap(nullptr);
  SetLogSink(previous);
  return 0;
}
