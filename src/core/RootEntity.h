#pragma once

#include "core/RootObject.h"
#include "core/script/PropertyHolder.h"

class ImageObject;
class Camera;
class ScriptVariableStore;

// The polymorphic base of world entities (AI packages, NPCs, objects, projectiles, cameras).
// Owners delete entities through this base, so the destructor is virtual. The property router asks
// entities for their fields through PropertyHolder; an entity without properties answers none.
class RootEntity : public RootObject, public PropertyHolder {
 public:
  RootEntity() = default;
  virtual ~RootEntity() = default;

  virtual void Reserved0() {}
  // The per-tick step.
  virtual void Update() {}
  virtual int32_t Reserved2() { return -1; }
  // Draws onto the target relative to the camera's view; the base draws nothing.
  virtual void Draw(ImageObject* target, Camera* camera) {
    (void)target;
    (void)camera;
  }
  virtual void Reserved4() {}
  // The entity's own script variables; none for entities that keep none (only NPCs keep them).
  virtual ScriptVariableStore* GetVariableList() { return nullptr; }
};
