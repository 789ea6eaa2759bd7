#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "actors/BasePhysicsPack.h"
#include "core/Dimensions.h"
#include "core/RootEntity.h"

// Type codes of the world objects; every object class lies in 2000..2999, every projectile class
// in 2200..2299.
namespace ObjectType {
inline constexpr int32_t kBase = 2000;
inline constexpr int32_t kItem = 2100;
inline constexpr int32_t kProjectile = 2200;
inline constexpr int32_t kFreeFloater = 2201;
inline constexpr int32_t kChillProjectile = 2202;
inline constexpr int32_t kStaticBase = 2300;
inline constexpr int32_t kStaticAnimation = 2301;
// The shooter mini-game's shots are objects but not projectiles: nothing they touch is hit.
inline constexpr int32_t kShooterProjectile = 2400;
inline constexpr int32_t kMachineGunBullet = 2405;

inline bool IsObject(int32_t type) { return type >= 2000 && type <= 2999; }
inline bool IsProjectile(int32_t type) { return type >= 2200 && type <= 2299; }
}  // namespace ObjectType

// A thing in the world that is neither the player nor an NPC: items, fixed pictures and
// projectiles. The object manager owns every object, updates and draws it, and deletes it once it
// reports itself dead.
class ObjectBase : public RootEntity {
 public:
  ObjectBase();
  ~ObjectBase() override;

  // Draws at the box's top-left corner relative to the camera's view.
  void Draw(ImageObject* target, Camera* camera) override;
  // A push from the point (x, y, z); the base ignores it.
  virtual void OnImpulse(int32_t x, int32_t y, int32_t z, float fx, float fy, float fz);
  // Runs the kill script with the object's id while the object is not dead yet.
  virtual void OnKill();
  // The image, when there is one, at (x, y) of the target.
  virtual void DrawAt(ImageObject* target, int32_t x, int32_t y);
  virtual PropertyRef GetSubclassPropertyAddress(const char* name);

  // The subclass's names, then "XPos", "YPos", "ZPos", "PhysicsPtr", "Dimensions"; a miss is
  // silent.
  PropertyRef GetPropertyAddress(const char* name);
  PropertyRef GetPropertyAddress(const char* object, const char* property) override;

  // The centre or the size only; the box follows at the object's next update.
  void SetCoordinates(int32_t x, int32_t y, int32_t z) { dimensions.SetCentre(x, y, z); }
  void SetSize(int32_t w, int32_t h, int32_t d) { dimensions.SetSize(w, h, d); }
  void SetKillScript(const char* path, int32_t number);

  bool IsDead() const { return dead; }
  void SetDead() { dead = true; }
  Dimensions& GetDimensions() { return dimensions; }
  const Dimensions& GetDimensions() const { return dimensions; }
  BasePhysicsPack* GetPhysicsPack() const { return physics.get(); }
  float GetPhysicsAngle() const { return physicsAngle; }
  ImageObject* GetImage() const { return image; }

 protected:
  // The camera's view corner; (0, 0) without a camera.
  static void ViewCorner(const Camera* camera, int32_t& left, int32_t& top);

  bool dead = false;
  Dimensions dimensions;
  std::unique_ptr<BasePhysicsPack> physics;
  float physicsAngle = 0.0f;
  int32_t drawOffsetX = 0;
  int32_t drawOffsetY = 0;
  ImageObject* image = nullptr;
  std::optional<std::string> killScript;
  int32_t killScriptNumber = -1;
};
