#pragma once

#include <cstdint>
#include <lua.hpp>

#include "actors/AINamedList.h"
#include "core/script/PropertyManager.h"
#include "core/script/ScriptFamily.h"

class Camera;
class ImageObject;
class ObjectBase;

// Owns the world objects: keeps them in insertion order (their update and draw order), updates
// them once per tick, draws them, passes pushes to them and deletes those that report themselves
// dead. Scripts act on its active object, which the router also answers for the owner "Object".
// Map changes leave the objects alone.
class ObjectManager {
 public:
  ObjectManager();
  // Deletes every object.
  ~ObjectManager();
  ObjectManager(const ObjectManager&) = delete;
  ObjectManager& operator=(const ObjectManager&) = delete;

  // Appends under the name (names need not be unique) and makes the object active; the manager
  // owns it from now on. A none name or object adds nothing.
  void Add(const char* name, ObjectBase* object);
  // Lets the target registry purge spent projectiles, then walks the list: dead objects are
  // deleted, the others updated. What their scripts add is updated in the same walk.
  void Update();
  // Every object's OnImpulse, in list order.
  void ApplyImpulse(int32_t x, int32_t y, int32_t z, float fx, float fy, float fz);
  // Every object's Draw, in list order.
  void Draw(ImageObject* target, Camera* camera);

  // The first match in list order, or none.
  ObjectBase* FindByID(int32_t id) const;
  ObjectBase* Find(const char* name) const;
  ObjectBase* GetActiveObject() const { return active; }
  void SetActiveObject(ObjectBase* object) { active = object; }
  int32_t GetCount() const { return objects.GetCount(); }

 private:
  void Destroy(ObjectBase* object);

  AINamedList<ObjectBase> objects;
  ObjectBase* active = nullptr;
  PropertyOwnerSlot objectSlot;
};

// The object functions: "OBJM_CreateObject", "OBJM_SetActiveObject", "OBJM_SetActiveObjectByID",
// "OBJ_SetCoordinates", "OBJ_SetDimensions", "OBJ_SetKillScript", "OBJSA_SetAnimationData" and
// the five projectile functions "OBJPB_SetCoordinateData", "OBJPB_SetDisplayData",
// "OBJPB_SetDrawingOffset", "OBJPB_SetTargetFlags", "OBJPB_SetDamageOutput"; the Lua manager
// registers them.
extern const ScriptFamily kObjectFamily;
