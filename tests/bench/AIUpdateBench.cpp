// One tick's AI work for a crowded map, against the 16.7 ms a tick has: 1,000 floating packages
// updated (value routers, scale routers, auto-scripts) and 1,000 drawing lists of two layers drawn
// onto memory bitmaps, beside 1,000 bare calls of a Lua function in the same run.
// Headless: build/tests/bench/bench_AIUpdateBench [ticks]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "actors/AIDrawingList.h"
#include "actors/AIDrawingPackage.h"
#include "actors/AIManager.h"
#include "core/Clock.h"
#include "core/Convert.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/LuaManager.h"
#include "core/script/PropertyHolder.h"
#include "core/script/PropertyManager.h"
#include "program/ProgramScriptFamilies.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"
#include "support/AllegroHeadless.h"
#include "support/TempDir.h"

namespace {

constexpr int kCount = 1000;
constexpr double kTickMs = 1000.0 / 60.0;

// Owners of the routed integers, animation timers and directions.
class Actor : public PropertyHolder {
 public:
  PropertyRef GetPropertyAddress(const char*, const char* property) override {
    const std::string name = property;
    if (name == "A") return PropertyRef::Integer(a, lifetime.Token());
    if (name == "B") return PropertyRef::Integer(b, lifetime.Token());
    if (name == "Moving") return PropertyRef::Byte(moving, lifetime.Token());
    if (name == "AIDrawingList") {
      return PropertyRef::Object(PropertyRef::kAIDrawingList, &drawing, lifetime.Token());
    }
    return PropertyRef();
  }
  int32_t a = 7, b = 0, timer = 0, direction = 0;
  uint8_t moving = 0;
  AIDrawingList drawing{&timer, &direction};
  Lifetime lifetime;
};

void Script(lua_State* state, const std::string& code) {
  if (luaL_dostring(state, code.c_str()) != 0) {
    std::fprintf(stderr, "setup failed: %s\n", lua_tostring(state, -1));
    std::exit(1);
  }
}

// Milliseconds per tick of the work, over the ticks.
template <class Work>
double Measure(int ticks, Work work) {
  const double start = WallClock();
  for (int i = 0; i < ticks; ++i) work();
  return (WallClock() - start) * 1000.0 / ticks;
}

void Report(const char* what, double ms) {
  std::printf("%-52s %8.3f ms  %6.1f %% of a tick\n", what, ms, 100.0 * ms / kTickMs);
}

}  // namespace

int main(int argc, char** argv) {
  const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 120;
  TempDir folder;
  // A game's scripts were written long before it runs; a file written moments ago is read again
  // on every run.
  const std::filesystem::path tick = folder.Write("tick.lua", "n = (n or 0) + 1\n");
  std::filesystem::last_write_time(tick,
                                   std::filesystem::last_write_time(tick) - std::chrono::hours(1));
  StartAllegroHeadless();
  const LogSink previous = SetLogSink([](std::string_view) {});

  LuaManager lua{ProgramScriptFamilies()};
  gLuaManager = &lua;
  PropertyManager router;
  gPropertyManager = &router;
  DataLibrary library;
  gDataLibrary = &library;
  std::vector<std::unique_ptr<Actor>> actors;
  for (int i = 0; i < kCount; ++i) actors.push_back(std::make_unique<Actor>());
  Actor* routed = nullptr;
  PropertyOwnerSlot playerSlot(PropertyOwner::Player, [&routed](const char*) { return routed; });
  auto* manager = new AIManager();
  gAIManager = manager;
  lua_State* state = lua.GetState();

  library.AddSection("S");
  library.AddCatalogue("S", "C");
  library.AddHeading("S", "C", "H");
  for (const char* name : {"body", "hat"}) {
    auto* image = new ImageObject();
    image->Create(16, 16, nullptr);
    image->ClearToColor(200, 100, 50, 255);
    library.Register("S", "C", "H", name, image);
  }
  Script(state, R"(
    for _, name in ipairs({'body', 'hat'}) do
      AIM_CreateObject(name, 'AnimationsList', 'Animation')
      Anim_DeclareSizes(8, 4)
      for row = 0, 7 do for column = 0, 3 do Anim_SetFrame(row, column, name) end end
      Anim_SetDuration(5)
      AIM_CreateObject(name, 'AIDrawingPackageList', 'AIDrawingPackage')
      AIDP_AllocateSpace(2) AIDP_SetAnimation(0, name) AIDP_SetAnimation(1, name)
    end
  )");
  for (int i = 0; i < kCount; ++i) {
    routed = actors[static_cast<size_t>(i)].get();
    Script(state,
           "AIM_SetActiveAIObject('DrawingList', 'Player', 'me', 'AIDrawingList')"
           " AIDL_AddAI('Body', 'body') AIDL_AddAI('Hat', 'hat') AIDL_SetBaseStateToActive()"
           " AIS_AddState('Still', 0, 'Player', 'me', 'Moving', 1)"
           " AIDL_SetActiveStateList('Still') AIS_AddState('Walk', 1, 'Player', 'me', 'Moving', 0)"
           " AIM_CreateObject('r', 'FloatingAIPackageList', 'AIValueRouter')"
           " AIVR_SyncPointer('Player', 'me', 'A', 'Player', 'me', 'B')"
           " AIM_CreateObject('s', 'FloatingAIPackageList', 'AIValueScaleRouter')"
           " AIVSR_SyncPointer('Player', 'me', 'A', 'Player', 'me', 'B') AIVSR_SetScaler(0.5)");
  }
  std::vector<ImageObject> targets(kCount);
  for (ImageObject& target : targets) target.Create(64, 64, nullptr);

  std::printf("%d ticks; each figure is the work of one tick\n", ticks);
  Script(state, "function bare() end");
  const double bare = Measure(ticks, [state] {
    for (int i = 0; i < kCount; ++i) {
      lua_getglobal(state, "bare");
      lua_pcall(state, 0, 0, 0);
    }
  });
  Report("1,000 bare Lua calls", bare);
  // Half the floating list so far: 1,000 routers and 1,000 scale routers.
  const double routers = Measure(ticks, [manager] { manager->Update(); });
  Report("1,000 value routers + 1,000 scale routers", routers);
  Report("1,000 floating packages (routers of both kinds)", routers / 2);
  manager->ClearFloatingAI();
  for (int i = 0; i < kCount; ++i) {
    Script(state, "AIM_CreateObject('a', 'FloatingAIPackageList', 'AIAutoScript', 'tick.lua', 1)");
  }
  // Each a tick of its own, as the game loop counts them: a script's file is looked at once a tick.
  const double autoscripts = Measure(ticks, [manager] {
    ++gTickCount;
    manager->Update();
  });
  Report("1,000 auto-script packages (a one-line script each)", autoscripts);
  int32_t sum = 0;
  Report("1,000 drawing lists resolving their state trees", Measure(ticks, [&] {
           for (const auto& actor : actors) sum += actor->drawing.ResolveAnimationIndex();
         }));
  if (sum != 0) std::fprintf(stderr, "the state trees resolved wrongly\n");
  // Memory bitmaps: Allegro draws them in software, so this is the slowest case.
  Report("1,000 drawing lists, two 16x16 layers each", Measure(ticks, [&] {
           for (int i = 0; i < kCount; ++i) {
             Actor& actor = *actors[static_cast<size_t>(i)];
             actor.timer = WrapAdd(actor.timer, 1);
             actor.drawing.Draw(&targets[static_cast<size_t>(i)], 24, 24, 0);
           }
         }));

  std::printf("ratio autoscript/bare %.1f\n", autoscripts / bare);

  if (PixelAt(targets[0].GetBitmap(), 30, 30) != Rgba{200, 100, 50, 255}) {
    std::fprintf(stderr, "the drawing lists drew nothing\n");
  }
  manager->ClearFloatingAI();
  actors.clear();
  delete manager;
  gAIManager = nullptr;
  gDataLibrary = nullptr;
  gPropertyManager = nullptr;
  gLuaManager = nullptr;
  for (ImageObject& target : targets) target.Destroy();
  al_set_target_bitmap(nullptr);
  SetLogSink(previous);
  return 0;
}
