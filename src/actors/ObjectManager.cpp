#include "actors/ObjectManager.h"

#include "actors/ObjectBase.h"
#include "actors/TargetRegistry.h"
#include "core/Globals.h"
#include "core/Graveyard.h"

ObjectManager::ObjectManager()
    : objectSlot(PropertyOwner::Object, [this](const char*) -> PropertyHolder* { return active; }) {
}

ObjectManager::~ObjectManager() {
  if (gObjectManager == this) gObjectManager = nullptr;
  active = nullptr;
  for (ObjectBase* object : objects.TakeAll()) delete object;
}

void ObjectManager::Add(const char* name, ObjectBase* object) {
  if (name == nullptr || object == nullptr) return;
  objects.Add(name, object);
  active = object;
}

void ObjectManager::Destroy(ObjectBase* object) {
  if (active == object) active = nullptr;
  objects.RemovePointer(object);
  // A projectile takes itself out of the target lists as it goes.
  delete object;
}

void ObjectManager::Update() {
  if (gTargetRegistry != nullptr) gTargetRegistry->PurgeIfRequested();
  // Kill scripts run inside this walk; what they bury waits for its end.
  Graveyard::Walk walk;
  objects.Walk([this](ObjectBase* object) {
    if (object->IsDead()) {
      Destroy(object);
    } else {
      object->Update();
    }
  });
}

void ObjectManager::ApplyImpulse(int32_t x, int32_t y, int32_t z, float fx, float fy, float fz) {
  objects.ForEach(
      [&](const std::string&, ObjectBase* object) { object->OnImpulse(x, y, z, fx, fy, fz); });
}

void ObjectManager::Draw(ImageObject* target, Camera* camera) {
  objects.ForEach([&](const std::string&, ObjectBase* object) { object->Draw(target, camera); });
}

ObjectBase* ObjectManager::FindByID(int32_t id) const {
  ObjectBase* found = nullptr;
  objects.ForEach([&](const std::string&, ObjectBase* object) {
    if (found == nullptr && object->GetID() == id) found = object;
  });
  return found;
}

ObjectBase* ObjectManager::Find(const char* name) const {
  return name != nullptr ? objects.Find(name) : nullptr;
}
