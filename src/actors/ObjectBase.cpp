#include "actors/ObjectBase.h"

#include <cstring>

#include "core/Convert.h"
#include "core/Globals.h"
#include "core/script/LuaManager.h"
#include "resources/ImageObject.h"
#include "world/Camera.h"

ObjectBase::ObjectBase() { typeCode = ObjectType::kBase; }

ObjectBase::~ObjectBase() = default;

void ObjectBase::ViewCorner(const Camera* camera, int32_t& left, int32_t& top) {
  left = camera != nullptr ? camera->GetViewX() : 0;
  top = camera != nullptr ? camera->GetViewY() : 0;
}

void ObjectBase::Draw(ImageObject* target, Camera* camera) {
  int32_t left, top;
  ViewCorner(camera, left, top);
  DrawAt(target, SaturatingAdd(dimensions.minX, -int64_t{left}),
         SaturatingAdd(dimensions.minY, -int64_t{top}));
}

void ObjectBase::OnImpulse(int32_t, int32_t, int32_t, float, float, float) {}

void ObjectBase::OnKill() {
  if (!killScript || dead || gLuaManager == nullptr) return;
  gLuaManager->ExecuteScript(killScript->c_str(), GetID());
}

void ObjectBase::DrawAt(ImageObject* target, int32_t x, int32_t y) {
  if (image == nullptr || target == nullptr) return;
  target->SetAsTarget();
  image->DrawAt(x, y, 0);
}

PropertyRef ObjectBase::GetSubclassPropertyAddress(const char*) { return PropertyRef(); }

PropertyRef ObjectBase::GetPropertyAddress(const char* name) {
  if (name == nullptr) return PropertyRef();
  PropertyRef own = GetSubclassPropertyAddress(name);
  if (own.IsAlive()) return own;
  const LifetimeToken token = GetLifetimeToken();
  if (std::strcmp(name, "XPos") == 0) return PropertyRef::Integer(dimensions.x, token);
  if (std::strcmp(name, "YPos") == 0) return PropertyRef::Integer(dimensions.y, token);
  if (std::strcmp(name, "ZPos") == 0) return PropertyRef::Integer(dimensions.z, token);
  if (std::strcmp(name, "PhysicsPtr") == 0) {
    return PropertyRef::Object(PropertyRef::kPhysicsPack, physics.get(), token);
  }
  if (std::strcmp(name, "Dimensions") == 0) {
    return PropertyRef::Object(PropertyRef::kDimensions, &dimensions, token);
  }
  return PropertyRef();
}

PropertyRef ObjectBase::GetPropertyAddress(const char*, const char* property) {
  return GetPropertyAddress(property);
}

void ObjectBase::SetKillScript(const char* path, int32_t number) {
  killScript = OptionalText(path);
  killScriptNumber = number;
}
