#include "support/GUIFixture.h"

#include <allegro5/allegro_primitives.h>

std::vector<RecordingWidget::Heard> RecordingWidget::Clicks() const {
  std::vector<Heard> clicks;
  for (const Heard& h : heard) {
    if (h.event != kTick && h.event != kDragStep) clicks.push_back(h);
  }
  return clicks;
}

bool RecordingWidget::OnInput(int32_t event, int32_t x, int32_t y) {
  heard.push_back({event, x, y});
  return answer;
}

void RecordingWidget::Draw() {
  ++draws;
  al_clear_to_color(fill.Colour());
  RenderChildren(Buffer());
  if (clearsDirty) dirty = false;
}

PropertyRef RecordingWidget::GetPropertyAddress(const char*, const char* property) {
  if (std::string(property) == "Draws") return PropertyRef::Integer(draws, GetLifetimeToken());
  return PropertyRef();
}

GUIFixture::GUIFixture() {
  StartAllegroHeadless();
  al_init_primitives_addon();
  gDataLibrary = (library = std::make_unique<DataLibrary>()).get();
  library->AddSection("Images");
  library->AddCatalogue("Images", "GUI");
  library->AddHeading("Images", "GUI", "Windows");
  gGUIManager = (gui = std::make_unique<GUIManager>()).get();
}

GUIFixture::~GUIFixture() {
  gui.reset();
  frame.Destroy();
  library.reset();
  al_set_target_bitmap(nullptr);
}

ImageObject* GUIFixture::Picture(const char* name, int w, int h, Rgba (*pattern)(int x, int y)) {
  auto image = new ImageObject();
  image->Create(w, h, &gOpenGLMode);
  image->SetAsTarget();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) al_put_pixel(x, y, pattern(x, y).Colour());
  }
  library->Register("Images", "GUI", "Windows", name, image);
  return image;
}

ImageObject* GUIFixture::SolidPicture(const char* name, int w, int h, Rgba colour) {
  auto image = new ImageObject();
  image->Create(w, h, &gOpenGLMode);
  image->ClearToColor(colour.r, colour.g, colour.b, colour.a);
  library->Register("Images", "GUI", "Windows", name, image);
  return image;
}

ALLEGRO_BITMAP* GUIFixture::DrawFrame() {
  if (frame.GetBitmap() == nullptr) frame.Create(gScreenWidth, gScreenHeight, &gOpenGLMode);
  gui->Draw(frame);
  return frame.GetBitmap();
}

bool GUIFixture::Mouse(int32_t event, float x, float y) {
  gui->SetMousePosition(x, y);
  return gui->DispatchMouse(event);
}
