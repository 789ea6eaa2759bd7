#pragma once

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "gui/GUIBaseObject.h"
#include "gui/GUIManager.h"
#include "resources/DataLibrary.h"
#include "support/AllegroHeadless.h"
#include "support/GlobalsFixture.h"
#include "support/LogCapture.h"

// A widget that records the events it hears, answers as told, and draws itself in one colour.
class RecordingWidget : public GUIBaseObject {
 public:
  struct Heard {
    int32_t event, x, y;
    bool operator==(const Heard&) const = default;
  };

  std::vector<Heard> heard;
  bool answer = false;
  int32_t draws = 0;  // routed as the integer property "Draws"
  bool clearsDirty = false;
  Rgba fill{255, 255, 255, 255};

  // Events other than ticks and drag steps.
  std::vector<Heard> Clicks() const;

 protected:
  bool OnInput(int32_t event, int32_t x, int32_t y) override;
  void Draw() override;
  PropertyRef GetPropertyAddress(const char* object, const char* property) override;
};

// A test with the GUI manager installed as gGUIManager, a data library as gDataLibrary holding the
// heading Images/GUI/Windows, headless memory bitmaps and captured log lines.
class GUIFixture : public GlobalsFixture {
 protected:
  static constexpr int kNoSize = INT_MIN;

  GUIFixture();
  ~GUIFixture() override;

  // Adds a widget under the name to the owner's children (the top level for none) at the tail,
  // as GUIOL_AddObject does, and sizes it when a size is given.
  template <class Widget = RecordingWidget>
  Widget* Add(const char* name, GUIBaseObject* owner = nullptr, int x = 0, int y = 0,
              int w = kNoSize, int h = kNoSize) {
    auto widget = std::make_unique<Widget>();
    Widget* raw = widget.get();
    widget->SetName(name);
    widget->SetParent(owner);
    (owner != nullptr ? owner->GetChildren() : gui->GetTopLevel()).AddTail(name, widget.release());
    if (w != kNoSize) raw->SetDimensions(x, y, w, h);
    return raw;
  }

  // A memory image registered under Images/GUI/Windows (the border images' heading) and found by
  // bare name; pixel (x, y) is pattern(x, y).
  ImageObject* Picture(const char* name, int w, int h, Rgba (*pattern)(int x, int y));
  ImageObject* SolidPicture(const char* name, int w, int h, Rgba colour);

  // A frame of the screen's size, drawn through the GUI manager.
  ALLEGRO_BITMAP* DrawFrame();

  // Moves the mouse, then hands the event to the GUI manager.
  bool Mouse(int32_t event, float x, float y);

  LogCapture log;
  std::unique_ptr<DataLibrary> library;
  std::unique_ptr<GUIManager> gui;
  ImageObject frame;
};
