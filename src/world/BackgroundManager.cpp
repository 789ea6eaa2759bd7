#include "world/BackgroundManager.h"

#include <algorithm>
#include <cstring>

#include "core/Convert.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/script/ScriptCall.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"
#include "world/BackgroundObject.h"
#include "world/Camera.h"

const PropertyField<BackgroundManager> BackgroundManager::kFields[2] = {
    FieldOf<&BackgroundManager::fixedOffsetX, PropertyRef::Integer>("FixedOffsetX"),
    FieldOf<&BackgroundManager::fixedOffsetY, PropertyRef::Integer>("FixedOffsetY"),
};

BackgroundManager::BackgroundManager() : fillColor(al_map_rgba(0, 0, 0, 255)) {
  RegisterWithLuaManager(kBackgroundFamily);
}

BackgroundManager::~BackgroundManager() {
  for (void* object : objects.Values()) delete static_cast<BackgroundObject*>(object);
  objects.Clear();
}

BackgroundObject* BackgroundManager::SpawnObject(const char* name, const char* imageName, int32_t x,
                                                 int32_t y, float scrollX, float scrollY,
                                                 int32_t flags) {
  if (name == nullptr || imageName == nullptr || gDataLibrary == nullptr) return nullptr;
  ImageObject* image =
      gDataLibrary->GetEntry<ImageObject>("Images", "Background", "Scenery", imageName);
  if (image == nullptr) return nullptr;
  auto* object = new BackgroundObject();
  object->SetImage(image);
  object->SetPosition(x, y);
  object->SetDrawFlags(flags);
  object->SetScroll(scrollX, scrollY);
  objects.AddTail(name, object);
  active = object;
  return object;
}

void BackgroundManager::SetFillColor(int32_t r, int32_t g, int32_t b) {
  fill = true;
  fillColor = al_map_rgba(static_cast<unsigned char>(r), static_cast<unsigned char>(g),
                          static_cast<unsigned char>(b), 255);
}

void BackgroundManager::Update() {
  for (void* value : objects.Values()) {
    auto* object = static_cast<BackgroundObject*>(value);
    object->Update();
    if (!object->IsGone()) continue;
    if (object == active) active = nullptr;
    objects.RemovePointer(object);
    delete object;
  }
}

void BackgroundManager::Draw(ImageObject* target, Camera* camera) {
  if (target == nullptr || camera == nullptr) return;
  // The caller has made the target current already; made sure of here, since a fill clears
  // whatever is current.
  target->SetAsTarget();
  if (fill) al_clear_to_color(fillColor);
  offsetX = SaturatingAdd(fixedOffsetX, camera->GetViewX());
  offsetY = SaturatingAdd(fixedOffsetY, camera->GetViewY());
  for (void* object : objects.Values()) static_cast<BackgroundObject*>(object)->Draw(offsetX);
}

PropertyRef BackgroundManager::GetPropertyAddress(const char* object, const char* property) {
  if (object == nullptr || property == nullptr || std::strcmp(object, "Base") != 0) {
    return PropertyRef();
  }
  PropertyRef field = AnswerFromFields(kFields, *this, property, lifetime.Token());
  if (field.GetType() != PropertyRef::kNone) return field;
  Log("Warning:  Property %s not found in BackgroundManager\n", property);
  return PropertyRef();
}

BackgroundObject* BackgroundManager::GetObjectAt(int32_t index) const {
  return static_cast<BackgroundObject*>(objects.GetAt(index));
}
