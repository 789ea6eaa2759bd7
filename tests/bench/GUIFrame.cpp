// One frame drawn through the GUI: 500 bordered windows of 64 x 64 nested three deep (125
// top-level windows, each holding one window that holds two), redrawn every frame as windows are.
// Beside it, in the same run, the same windows without borders, the same 500 bitmaps of 64 x 64
// drawn plainly at the same places, and 200 windows of 64 x 64 each holding a button, a text line
// and a check box. Then the time to build such a tree of 500 windows and of 5,000, as scripts
// build it (each new window found by name to take its children).
// Each on the Allegro road and the OpenGL road; each comparison also as a line
// "ratio NAME ROAD VALUE". Needs an X display with OpenGL; under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tests/bench/bench_GUIFrame [seconds per round]
// The figures depend on the renderer (Mesa's software renderer under Xvfb); compare side by side.

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DisplayBench.h"
#include "core/Globals.h"
#include "gui/GUIButton.h"
#include "gui/GUICheckBox.h"
#include "gui/GUIManager.h"
#include "gui/GUITextLine.h"
#include "gui/GUIWindow.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kTopLevel = 125;
constexpr int kSize = 64;
constexpr int kWidgetWindows = 200;

struct Place {
  int x, y;
};

}  // namespace

int main(int argc, char** argv) {
  const double seconds = BenchSeconds(argc, argv);
  if (!OpenBenchDisplay(kWidth, kHeight)) return 1;
  al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP);
  std::unique_ptr<ImageObject> corner(SolidImage(8, 8, al_map_rgb(200, 0, 0)));
  std::unique_ptr<ImageObject> across(SolidImage(4, 8, al_map_rgb(0, 200, 0)));
  std::unique_ptr<ImageObject> down(SolidImage(8, 4, al_map_rgb(0, 0, 200)));
  std::unique_ptr<ImageObject> plain(SolidImage(kSize, kSize, al_map_rgb(90, 90, 90)));

  std::vector<Place> places;
  // The tree; each widget's buffer is drawn once onto its parent's: four bitmaps at the window's
  // place.
  const auto build = [&](GUIManager& gui, bool bordered, int topLevel = kTopLevel) {
    gGUIManager = &gui;
    std::srand(1);
    places.clear();
    const auto add = [&](const std::string& name, int x, int y) {
      auto* window = new GUIWindow();
      gui.AddToActiveList(name.c_str(), window);
      window->SetDimensions(x, y, kSize, kSize);
      window->SetBackgroundColor(90, 90, 90);
      if (bordered) window->SetBorderImages(corner.get(), across.get(), down.get());
    };
    for (int i = 0; i < topLevel; ++i) {
      const std::string top = "Top" + std::to_string(i);
      const std::string middle = "Middle" + std::to_string(i);
      const Place place{std::rand() % (kWidth - kSize), std::rand() % (kHeight - kSize)};
      gui.SetActiveObjectList("Base");
      add(top, place.x, place.y);
      gui.SetActiveObjectAndListFromBase(top.c_str());
      add(middle, 0, 0);
      gui.SetActiveObjectAndListFromBase(middle.c_str());
      add(middle + "a", 0, 0);
      add(middle + "b", 0, 0);
      for (int k = 0; k < 4; ++k) places.push_back(place);
    }
  };
  GUIManager plainGUI;
  build(plainGUI, false);
  GUIManager gui;
  build(gui, true);

  // The widgets' pictures and the system font, as a game registers them.
  al_init_font_addon();
  DataLibrary library;
  gDataLibrary = &library;
  library.AddSection("Images");
  library.AddCatalogue("Images", "GUI");
  library.AddHeading("Images", "GUI", "Buttons");
  library.Register("Images", "GUI", "Buttons", "Up", SolidImage(40, 16, al_map_rgb(70, 90, 140)));
  library.AddHeading("Images", "GUI", "Misc");
  library.Register("Images", "GUI", "Misc", "CheckBoxChecked",
                   SolidImage(16, 16, al_map_rgb(40, 160, 60)));
  library.Register("Images", "GUI", "Misc", "CheckBoxUnchecked",
                   SolidImage(16, 16, al_map_rgb(120, 120, 120)));
  library.AddSection("Fonts");
  library.AddCatalogue("Fonts", "General");
  library.AddHeading("Fonts", "General", "System");
  library.Register("Fonts", "General", "System", "SystemFont", al_create_builtin_font());
  GUIManager widgetGUI;
  gGUIManager = &widgetGUI;
  std::srand(2);
  for (int i = 0; i < kWidgetWindows; ++i) {
    const std::string name = "Panel" + std::to_string(i);
    widgetGUI.SetActiveObjectList("Base");
    auto* window = new GUIWindow();
    widgetGUI.AddToActiveList(name.c_str(), window);
    window->SetDimensions(std::rand() % (kWidth - kSize), std::rand() % (kHeight - kSize), kSize,
                          kSize);
    window->SetBackgroundColor(30, 30, 60);
    widgetGUI.SetActiveObjectAndListFromBase(name.c_str());
    auto* button = new GUIButton();
    widgetGUI.AddToActiveList("Button", button);
    button->SetDimensions(4, 4, 40, 16);
    button->SetImages("Up", "Up", "Up");
    auto* line = new GUITextLine();
    widgetGUI.AddToActiveList("Line", line);
    line->SetString("Label");
    line->MoveBy(4, 24);
    auto* box = new GUICheckBox();
    widgetGUI.AddToActiveList("Check", box);
    box->SetDimensions(4, 44, 16, 16);
  }

  const auto drawGUI = [&](ImageObject& frame) {
    gGUIManager = &gui;
    gui.Draw(frame);
  };
  const auto drawUnbordered = [&](ImageObject& frame) {
    gGUIManager = &plainGUI;
    plainGUI.Draw(frame);
  };
  const auto drawWidgets = [&](ImageObject& frame) {
    gGUIManager = &widgetGUI;
    // A tick first, as the game runs one before each frame: it is what marks the widgets dirty.
    widgetGUI.DispatchMouse(-1);
    widgetGUI.Draw(frame);
  };
  const auto drawPlain = [&](ImageObject& frame) {
    frame.SetAsTarget();
    frame.ClearToBlack();
    frame.SetAsTarget();
    for (const Place& p : places) plain->Draw(p.x, p.y);
  };

  // Milliseconds to build a bordered tree of that many top-level windows (four windows each):
  // `trees` trees are built and kept until all are done, so the small trees take as many fresh
  // bitmaps as one large tree and only the size of the tree differs; the mean per tree, the best of
  // three such runs. The trees are destroyed untimed.
  const auto buildTime = [&](int topLevel, int trees) {
    const std::vector<Place> framePlaces = places;
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
      std::vector<std::unique_ptr<GUIManager>> built;
      double total = 0;
      for (int i = 0; i < trees; ++i) {
        built.push_back(std::make_unique<GUIManager>());
        const double start = al_get_time();
        build(*built.back(), true, topLevel);
        total += (al_get_time() - start) * 1000.0;
      }
      best = std::min(best, total / trees);
      gGUIManager = nullptr;
    }
    places = framePlaces;
    return best;
  };

  // Two rounds each, interleaved, so a warming cache or a busy machine hits every case alike.
  struct Figures {
    double gui = 0, unbordered = 0, plain = 0, widgets = 0;
    double build500 = 1e30, build5000 = 1e30;
  } roads[2];
  for (int round = 0; round < 2; ++round) {
    for (int road = 0; road < 2; ++road) {
      gOpenGLMode = road == 1;
      roads[road].gui += MillisecondsPerFrame(drawGUI, seconds) / 2;
      roads[road].unbordered += MillisecondsPerFrame(drawUnbordered, seconds) / 2;
      roads[road].plain += MillisecondsPerFrame(drawPlain, seconds) / 2;
      roads[road].widgets += MillisecondsPerFrame(drawWidgets, seconds) / 2;
    }
  }
  // After the frames: destroying thousands of bitmaps leaves work that the next frames would pay.
  for (int round = 0; round < 2; ++round) {
    for (int road = 0; road < 2; ++road) {
      gOpenGLMode = road == 1;
      roads[road].build500 = std::min(roads[road].build500, buildTime(kTopLevel, 10));
      roads[road].build5000 = std::min(roads[road].build5000, buildTime(kTopLevel * 10, 1));
    }
  }
  gOpenGLMode = false;
  std::printf("%zu windows of %d x %d nested three deep, %d x %d back buffer, ms per frame\n",
              places.size(), kSize, kSize, kWidth, kHeight);
  std::printf("widgets: %d windows of %d x %d, each with a button, a text line and a check box\n",
              kWidgetWindows, kSize, kSize);
  std::printf("build: %d and %d bordered windows, ms per tree\n", kTopLevel * 4, kTopLevel * 40);
  std::printf("%-8s %14s %14s %14s %10s %14s %12s %12s\n", "road", "GUI bordered", "GUI no border",
              "plain bitmaps", "bordered/plain", "widgets", "build 500", "build 5000");
  for (int road = 0; road < 2; ++road) {
    const Figures& f = roads[road];
    std::printf("%-8s %14.3f %14.3f %14.3f %10.2f %14.3f %12.3f %12.3f\n",
                road == 1 ? "OpenGL" : "Allegro", f.gui, f.unbordered, f.plain, f.gui / f.plain,
                f.widgets, f.build500, f.build5000);
  }
  for (int road = 0; road < 2; ++road) {
    const Figures& f = roads[road];
    const char* name = road == 1 ? "OpenGL" : "Allegro";
    std::printf("ratio bordered/plain %s %.2f\n", name, f.gui / f.plain);
    std::printf("ratio gui5000/gui500 %s %.2f\n", name, f.build5000 / f.build500);
  }
  gGUIManager = nullptr;
  gDataLibrary = nullptr;
  return 0;
}
