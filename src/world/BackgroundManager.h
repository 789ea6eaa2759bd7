#pragma once

#include <allegro5/allegro.h>

#include <cstdint>
#include <lua.hpp>

#include "core/Lifetime.h"
#include "core/RLL.h"
#include "core/script/PropertyHolder.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptFamily.h"

class BackgroundObject;
class Camera;
class ImageObject;

// The scenery drawn behind the map: an optional fill colour and the spawned pictures, drawn in
// spawn order (later ones over earlier ones). Pictures drift every tick and are dropped once they
// leave the camera image; map changes do not touch them.
class BackgroundManager : public PropertyHolder {
 public:
  // Registers the scenery script functions and answers for the router's "BackgroundManager".
  BackgroundManager();
  ~BackgroundManager();
  BackgroundManager(const BackgroundManager&) = delete;
  BackgroundManager& operator=(const BackgroundManager&) = delete;

  // The picture is Root/"Images"/"Background"/"Scenery"/image of the data library; a missing one
  // spawns nothing (the library logs it). The new object becomes the active one.
  BackgroundObject* SpawnObject(const char* name, const char* image, int32_t x, int32_t y,
                                float scrollX, float scrollY, int32_t flags);
  void SetFillColor(int32_t r, int32_t g, int32_t b);
  void DisableFill() { fill = false; }
  // Every object's update from the head; gone ones are destroyed (and stop being active).
  void Update();
  // Onto the target: the fill, then every object with the drawing offset (the fixed offset plus
  // the camera's view corner).
  void Draw(ImageObject* target, Camera* camera);

  // "Base" with "FixedOffsetX" or "FixedOffsetY": that integer field. "Base" with another name
  // logs that it is not found; other objects answer none silently.
  PropertyRef GetPropertyAddress(const char* object, const char* property) override;

  BackgroundObject* GetActiveObject() const { return active; }
  int32_t GetCount() const { return objects.GetCount(); }
  BackgroundObject* GetObjectAt(int32_t index) const;
  bool GetFillFlag() const { return fill; }
  int32_t GetOffsetX() const { return offsetX; }
  int32_t GetOffsetY() const { return offsetY; }
  void SetFixedOffset(int32_t x, int32_t y) {
    fixedOffsetX = x;
    fixedOffsetY = y;
  }

 private:
  int32_t offsetX = 0;
  int32_t offsetY = 0;
  int32_t fixedOffsetX = 0;
  int32_t fixedOffsetY = 0;
  RLL objects;
  bool fill = false;
  ALLEGRO_COLOR fillColor;
  BackgroundObject* active = nullptr;
  Lifetime lifetime;
  PropertyOwnerSlot routing{PropertyOwner::BackgroundManager, [this](const char*) { return this; }};

  static const PropertyField<BackgroundManager> kFields[2];
};

// "BackgroundManager_SpawnObject", "BackgroundManager_SetFillColor",
// "BackgroundManager_DisableFill", "BackgroundObject_SetSpeed", "BackgroundObject_SetModuloMode";
// the background manager's constructor registers them.
extern const ScriptFamily kBackgroundFamily;
