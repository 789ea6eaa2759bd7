// The world drawn through the environment window: an 800 x 600 window over the "Default" camera
// on a clip map, with 50 scenery pictures of 160 x 120 (half plain, half repeating) on a fill
// colour. Beside it, in the same run, one full-screen bitmap drawn plainly, and the time of a map
// change (to the clip map, and to a level file that has no map script).
// Each drawing on the Allegro road and the OpenGL road. Needs an X display with OpenGL; under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tests/bench/bench_EnvironmentWindow [seconds]
// The figures depend on the renderer (Mesa's software renderer under Xvfb); compare side by side.

#include <allegro5/allegro.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "DisplayBench.h"
#include "core/EntityManager.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "gui/GUIEnvironmentWindow.h"
#include "gui/GUIManager.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"
#include "support/TempDir.h"
#include "world/BackgroundManager.h"
#include "world/BackgroundObject.h"
#include "world/CameraManager.h"
#include "world/MapManager.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kScenery = 50;

// Microseconds per map change over `seconds`.
double MicrosecondsPerTransition(MapManager& map, const char* name, double seconds) {
  int changes = 0;
  const double start = al_get_time();
  double now = start;
  while (now - start < seconds) {
    map.TransitionMap(name);
    ++changes;
    now = al_get_time();
  }
  return 1e6 * (now - start) / changes;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = BenchSeconds(argc, argv);
  if (!OpenBenchDisplay(kWidth, kHeight)) return 1;
  al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
  // The level's "no script" line would be written on every change.
  SetLogSink([](std::string_view) {});
  const TempDir dir;
  dir.Write("Level.plf", "");

  DataLibrary library;
  gDataLibrary = &library;
  library.AddSection("Images");
  library.AddCatalogue("Images", "Background");
  library.AddHeading("Images", "Background", "Scenery");
  for (int i = 0; i < 5; ++i) {
    library.Register("Images", "Background", "Scenery", "Hill" + std::to_string(i),
                     SolidImage(160, 120, al_map_rgb(40 * i, 200 - 30 * i, 90)));
  }
  EntityManager entities;
  gEntityManager = &entities;
  CameraManager cameras("Default", 0, 0, kWidth, kHeight);
  gCameraManager = &cameras;
  BackgroundManager scenery;
  gBackgroundManager = &scenery;
  MapManager map;
  gMapManager = &map;
  map.TransitionMap("MAPNONE");
  map.SetBackgroundDisplayState(true);
  scenery.SetFillColor(30, 60, 90);
  std::srand(1);
  for (int i = 0; i < kScenery; ++i) {
    const std::string name = "Scenery" + std::to_string(i);
    const std::string image = "Hill" + std::to_string(i % 5);
    BackgroundObject* object = scenery.SpawnObject(name.c_str(), image.c_str(), std::rand() % 640,
                                                   std::rand() % 480, 0.5f, 0.0f, 0);
    if (object != nullptr && i % 2 == 1) object->SetModuloMode(true);
  }

  GUIManager gui;
  gGUIManager = &gui;
  gui.SetActiveObjectList("Base");
  auto* window = new GUIEnvironmentWindow();
  gui.AddToActiveList("EnvironmentWindow", window);
  window->SetDimensions(0, 0, kWidth, kHeight);
  std::unique_ptr<ImageObject> screen(SolidImage(kWidth, kHeight, al_map_rgb(90, 90, 90)));

  const auto drawWorld = [&](ImageObject& frame) { gui.Draw(frame); };
  const auto drawPlain = [&](ImageObject& frame) {
    frame.SetAsTarget();
    screen->Draw(0, 0);
  };

  // Two rounds each, interleaved, so a warming cache or a busy machine hits every case alike.
  struct Figures {
    double world = 0, plain = 0;
  } roads[2];
  double toClipMap = 0, toLevel = 0;
  for (int round = 0; round < 2; ++round) {
    for (int road = 0; road < 2; ++road) {
      gOpenGLMode = road == 1;
      roads[road].world += MillisecondsPerFrame(drawWorld, seconds) / 2;
      roads[road].plain += MillisecondsPerFrame(drawPlain, seconds) / 2;
    }
    gOpenGLMode = false;
    toLevel += MicrosecondsPerTransition(map, "Level", seconds / 2) / 2;
    toClipMap += MicrosecondsPerTransition(map, "MAPNONE", seconds / 2) / 2;
  }
  std::printf("environment window %d x %d, %d scenery pictures of 160 x 120, ms per frame (fps)\n",
              kWidth, kHeight, kScenery);
  std::printf("%-8s %20s %20s %8s\n", "road", "environment window", "full-screen bitmap", "ratio");
  for (int road = 0; road < 2; ++road) {
    const Figures& f = roads[road];
    std::printf("%-8s %11.3f (%6.1f) %11.3f (%6.1f) %8.2f\n", road == 1 ? "OpenGL" : "Allegro",
                f.world, 1000.0 / f.world, f.plain, 1000.0 / f.plain, f.world / f.plain);
  }
  std::printf(
      "map change, microseconds: to \"MAPNONE\" %.2f, to a level file %.2f; one "
      "full-screen bitmap frame: %.2f (Allegro), %.2f (OpenGL)\n",
      toClipMap, toLevel, 1000.0 * roads[0].plain, 1000.0 * roads[1].plain);
  gGUIManager = nullptr;
  gMapManager = nullptr;
  gBackgroundManager = nullptr;
  gCameraManager = nullptr;
  gEntityManager = nullptr;
  gDataLibrary = nullptr;
  return 0;
}
