#pragma once

#include <memory>
#include <string>

#include "core/KeyboardManager.h"
#include "core/script/PropertyManager.h"
#include "gui/GUIBaseObject.h"
#include "gui/GUIManager.h"
#include "resources/DataLibrary.h"
#include "support/AllegroHeadless.h"
#include "support/LuaFixture.h"

// A widget test: a real Lua manager (scripts in the test's own folder), a data library holding the
// system font and the headings Images/GUI/Buttons and Images/GUI/Misc, the property router, the
// keyboard manager and the GUI manager as their globals, on headless memory bitmaps.
class WidgetFixture : public LuaFixture {
 protected:
  WidgetFixture();
  ~WidgetFixture() override;

  // Adds a widget of the kind at the tail of the owner's children (the top level for none) under
  // the name, as GUIOL_AddObject does, sized when w > 0.
  template <class Widget>
  Widget* Add(const char* name, GUIBaseObject* owner = nullptr, int x = 0, int y = 0, int w = 0,
              int h = 0) {
    auto* widget = new Widget();
    widget->SetName(name);
    widget->SetParent(owner);
    (owner != nullptr ? owner->GetChildren() : gui->GetTopLevel()).AddTail(name, widget);
    if (w > 0) widget->SetDimensions(x, y, w, h);
    return widget;
  }
  // A solid w x h memory image registered at Images/GUI/<heading>/<name>.
  ImageObject* Solid(const char* heading, const char* name, int w, int h, Rgba colour);
  // Moves the mouse, then hands the event to the GUI manager.
  bool Mouse(int32_t event, float x, float y);
  // A press and a release at the point.
  bool Click(float x, float y);
  // Draws the frame and answers its pixel.
  Rgba FramePixel(int x, int y);
  // The widget's own buffer pixel, after drawing the frame.
  static Rgba BufferPixel(const GUIBaseObject& widget, int x, int y);
  // A script file that appends its name and script code to the global "ran".
  void WriteRecordingScript(const std::string& file);

  std::unique_ptr<DataLibrary> library;
  std::unique_ptr<PropertyManager> router;
  std::unique_ptr<KeyboardManager> keyboard;
  std::unique_ptr<GUIManager> gui;
  ImageObject frame;
};
