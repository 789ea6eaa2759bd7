// One frame drawn through the GUI: 500 bordered windows of 64 x 64 nested three deep (125
// top-level windows, each holding one window that holds two), redrawn every frame as windows are.
// Beside it, in the same run, the same windows without borders, the same 500 bitmaps of 64 x 64
// drawn plainly at the same places, and 200 windows of 64 x 64 each holding a button, a text line
// and a check box.
// Each on the Allegro road and the OpenGL road. Needs an X display with OpenGL; under Xvfb:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tests/bench/bench_GUIFrame [seconds per round]
// The figures depend on the renderer (Mesa's software renderer under Xvfb); compare side by side.

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

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
  const auto build = [&](GUIManager& gui, bool bordered) {
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
    for (int i = 0; i < kTopLevel; ++i) {
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

  // Two rounds each, interleaved, so a warming cache or a busy machine hits every case alike.
  struct Figures {
    double gui = 0, unbordered = 0, plain = 0, widgets = 0;
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
  std::printf("%zu windows of %d x %d nested three deep, %d x %d back buffer, ms per frame\n",
              places.size(), kSize, kSize, kWidth, kHeight);
  std::printf("widgets: %d windows of %d x %d, each with a button, a text line and a check box\n",
              kWidgetWindows, kSize, kSize);
  std::printf("%-8s %14s %14s %14s %10s %14s\n", "road", "GUI bordered", "GUI no border",
              "plain bitmaps", "bordered/plain", "widgets");
  for (int road = 0; road < 2; ++road) {
    const Figures& f = roads[road];
    std::printf("%-8s %14.3f %14.3f %14.3f %10.2f %14.3f\n", road == 1 ? "OpenGL" : "Allegro",
                f.gui, f.unbordered, f.plain, f.gui / f.plain, f.widgets);
  }
  gGUIManager = nullptr;
  gDataLibrary = nullptr;
  return 0;
}
