#include "support/WidgetFixture.h"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

WidgetFixture::WidgetFixture() {
  StartAllegroHeadless();
  al_init_primitives_addon();
  al_init_font_addon();
  gDataLibrary = (library = std::make_unique<DataLibrary>()).get();
  library->AddSection("Images");
  library->AddCatalogue("Images", "GUI");
  library->AddHeading("Images", "GUI", "Buttons");
  library->AddHeading("Images", "GUI", "Misc");
  library->AddSection("Fonts");
  library->AddCatalogue("Fonts", "General");
  library->AddHeading("Fonts", "General", "System");
  library->Register("Fonts", "General", "System", "SystemFont", al_create_builtin_font());
  gPropertyManager = (router = std::make_unique<PropertyManager>()).get();
  gKeyboardManager = (keyboard = std::make_unique<KeyboardManager>()).get();
  gGUIManager = (gui = std::make_unique<GUIManager>()).get();
  Run("ran = ''");
}

WidgetFixture::~WidgetFixture() {
  gui.reset();
  frame.Destroy();
  keyboard.reset();
  router.reset();
  library.reset();
  al_set_target_bitmap(nullptr);
}

ImageObject* WidgetFixture::Solid(const char* heading, const char* name, int w, int h,
                                  Rgba colour) {
  auto* image = new ImageObject();
  image->Create(w, h, &gOpenGLMode);
  image->ClearToColor(colour.r, colour.g, colour.b, colour.a);
  library->Register("Images", "GUI", heading, name, image);
  return image;
}

bool WidgetFixture::Mouse(int32_t event, float x, float y) {
  gui->SetMousePosition(x, y);
  return gui->DispatchMouse(event);
}

bool WidgetFixture::Click(float x, float y) {
  const bool pressed = Mouse(GUIBaseObject::kPress, x, y);
  const bool released = Mouse(GUIBaseObject::kRelease, x, y);
  return pressed && released;
}

Rgba WidgetFixture::FramePixel(int x, int y) {
  if (frame.GetBitmap() == nullptr) frame.Create(gScreenWidth, gScreenHeight, &gOpenGLMode);
  gui->Draw(frame);
  return PixelAt(frame.GetBitmap(), x, y);
}

Rgba WidgetFixture::BufferPixel(const GUIBaseObject& widget, int x, int y) {
  return PixelAt(widget.GetBuffer()->GetBitmap(), x, y);
}

void WidgetFixture::WriteRecordingScript(const std::string& file) {
  WriteScript(file, "ran = ran .. '" + file + ":' .. GetScriptCode() .. ' '\n");
}
