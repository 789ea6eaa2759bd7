#include "actors/Player.h"

#include <cstring>
#include <string>

#include "actors/AIDrawingList.h"
#include "actors/WeaponSelector.h"
#include "core/Convert.h"
#include "core/Globals.h"
#include "core/KeyBinding.h"
#include "core/KeyboardManager.h"
#include "core/Log.h"
#include "core/script/ScriptCall.h"
#include "resources/DataLibrary.h"
#include "resources/ImageObject.h"
#include "world/Camera.h"
#include "world/CameraManager.h"
#include "world/CellTest.h"

namespace {

constexpr const char* kStateNames[] = {"Stationary", "Walking", "Trotting", "Running", "Jumping",
                                       "Hovering",   "Flying",  "Boosting", "Bucking", "Casting"};
constexpr const char kStatePrefix[] = "St|";
constexpr size_t kStateNameLimit = 91;
constexpr int32_t kSpriteWidth = 192;
constexpr int32_t kSpriteHeight = 96;
constexpr int32_t kPassLimit = 50;

template <int32_t Dimensions::*field>
PropertyRef CentreField(Player& player, LifetimeToken owner) {
  return PropertyRef::Integer(player.GetDimensions()->*field, std::move(owner));
}

}  // namespace

const PropertyField<Player> Player::kFields[13] = {
    FieldOf<&Player::xPos, PropertyRef::Float>("XPos"),
    FieldOf<&Player::yPos, PropertyRef::Float>("YPos"),
    FieldOf<&Player::zPos, PropertyRef::Float>("ZPos"),
    FieldOf<&Player::xSpeed, PropertyRef::Float>("XSpeed"),
    FieldOf<&Player::ySpeed, PropertyRef::Float>("YSpeed"),
    FieldOf<&Player::zSpeed, PropertyRef::Float>("ZSpeed"),
    FieldOf<&Player::direction, PropertyRef::Integer>("Direction"),
    {"XCenter", CentreField<&Dimensions::x>},
    {"YCenter", CentreField<&Dimensions::y>},
    {"ZCenter", CentreField<&Dimensions::z>},
    FieldOf<&Player::health, PropertyRef::Integer>("Health"),
    ObjectFieldOf<&Player::sprite, PropertyRef::kImagePointer>("Display"),
    {"AIDrawingList",
     [](Player& player, LifetimeToken owner) {
       return PropertyRef::Object(PropertyRef::kAIDrawingList, player.drawingList.get(),
                                  std::move(owner));
     }},
};

Player::Player()
    : weapons(std::make_unique<WeaponSelector>(&dimensions,
                                               [this](float& x, float& y) {
                                                 if (aimSource) aimSource(x, y);
                                               })),
      drawingList(std::make_unique<AIDrawingList>(&animationTime, &animationRow)),
      spriteImage(std::make_unique<ImageObject>()) {
  for (const char* name : kStateNames) RLLAddByteValue(&states, name, 0);
  if (gKeyboardManager != nullptr) keys = &gKeyboardManager->GetActionList();
  spriteImage->Create(kSpriteWidth, kSpriteHeight, &gOpenGLMode);
  sprite = spriteImage.get();
  RecomputeBounds();
  RegisterWithLuaManager(kPlayerFamily);
}

Player::~Player() {
  // The sprite's bitmap is the image's to free, and the image is ours.
  if (spriteImage) spriteImage->Destroy();
}

void Player::Update() {
  if (sideView) {
    UpdateSideViewControls();
  } else if (mode1) {
    UpdateIsometricControls();
  } else if (shooter) {
    UpdateShooterControls();
  } else {
    UpdateDefaultControls();
  }
}

void Player::SetGameMode(int32_t mode) {
  mode1 = sideView = shooter = mode100 = false;
  switch (mode) {
    case 1:
      mode1 = true;
      break;
    case 2:
      sideView = true;
      break;
    case 3:
      shooter = true;
      break;
    case 100:
      mode1 = mode100 = true;
      break;
    default:
      break;
  }
}

void Player::SetPosition(float x, float y, float z) {
  xPos = x;
  yPos = y;
  zPos = z;
}

void Player::RecomputeBounds() {
  // Positions written by scripts may be of any size: the conversions saturate.
  dimensions.x = ToInt32(xPos + 48.0f);
  dimensions.y = ToInt32(yPos + 75.0f);
  dimensions.z = ToInt32(zPos);
  dimensions.minX = SaturatingAdd(dimensions.x, -9);
  dimensions.maxX = SaturatingAdd(dimensions.x, 9);
  dimensions.minY = SaturatingAdd(dimensions.y, -13);
  dimensions.maxY = SaturatingAdd(dimensions.y, 7);
  dimensions.minZ = SaturatingAdd(dimensions.z, -28);
  dimensions.maxZ = dimensions.z;
}

int32_t Player::SplitSpeed(float speed, float& fraction) {
  int32_t whole = ToInt32(speed);
  fraction = fraction + speed - static_cast<float>(whole);
  if (fraction > 1.0f) {
    fraction -= 1.0f;
    if (whole < INT32_MAX) ++whole;
  }
  if (fraction < -1.0f) {
    fraction += 1.0f;
    if (whole > INT32_MIN) --whole;
  }
  return whole;
}

void Player::MoveWithCollision(float xs, float ys, float zs) {
  int32_t x = SplitSpeed(xs, carryX);
  int32_t y = SplitSpeed(ys, carryY);
  int32_t z = SplitSpeed(zs, carryZ);
  const int32_t probe = mode1 || sideView || shooter ? 16 : 4;
  // One step toward 0 on one axis, taken when the cell ahead is free. Only z probes differently
  // each way: 1 below the feet going down, 24 above them going up.
  const auto step = [this](int32_t& steps, float& position, int32_t dx, int32_t dy, int32_t dzDown,
                           int32_t dzUp) {
    if (steps == 0) return;
    const int32_t sign = steps > 0 ? 1 : -1;
    const Dimensions& d = dimensions;
    if (CellIsFreeForWalker(SaturatingAdd(d.x, int64_t{dx} * sign),
                            SaturatingAdd(d.y, int64_t{dy} * sign),
                            SaturatingAdd(d.z, sign > 0 ? dzDown : dzUp))) {
      position += static_cast<float>(sign);
      RecomputeBounds();
    }
    steps -= sign;
  };
  for (int32_t passes = 0; x != 0 || y != 0 || z != 0;) {
    step(x, xPos, probe, 0, 0, 0);
    step(y, yPos, 0, probe, 0, 0);
    step(z, zPos, 0, 0, 1, -24);
    ++passes;
    // A move that needs exactly the last pass is not caught.
    if (x == 0 && y == 0 && z == 0) break;
    if (passes >= kPassLimit) {
      Log("Movement loop got caught\n");
      break;
    }
  }
}

void Player::SetShadowImage(uint32_t slot, const char* section, const char* catalogue,
                            const char* heading, const char* name) {
  if (slot >= shadows.size()) return;
  shadows[slot] = nullptr;
  if (gDataLibrary == nullptr || section == nullptr || catalogue == nullptr || heading == nullptr ||
      name == nullptr) {
    return;
  }
  shadows[slot] = gDataLibrary->GetEntry<ImageObject>(section, catalogue, heading, name);
}

uint8_t* Player::FindState(const char* name) const {
  return name != nullptr ? static_cast<uint8_t*>(states.Find(name)) : nullptr;
}

void Player::ClearStates() {
  states.ForEach([](void* flag) { *static_cast<uint8_t*>(flag) = 0; });
}

void Player::SetState(const char* name) {
  if (uint8_t* flag = FindState(name)) *flag = 1;
}

void Player::ChooseMovementState() {
  ClearStates();
  const char* name = "Stationary";
  animationRow = direction;
  if (jumping) {
    name = "Jumping";
    animationTime = airTicks < 4 ? 0 : zSpeed < 2.7f ? 1 : 2;
  } else if (falling) {
    name = "Jumping";
    animationTime = 2;
  } else if (bucking) {
    name = "Bucking";
    animationTime = buckPhase;
    animationRow = direction > 4 ? 1 : 0;
  } else if (flying) {
    animationTime = walkCounter;
    name = hovering ? "Hovering" : running ? "Boosting" : "Flying";
  } else if (idle) {
    // A landing shows a few more frames of the jump.
    if (groundTicks < 4) {
      name = "Jumping";
      walkCounter = 3;
    } else {
      walkCounter = 0;
    }
  } else {
    animationTime = walkCounter;
    name = running ? "Running" : trotting ? "Trotting" : "Walking";
  }
  SetState(name);
}

void Player::RenderSprite() {
  if (sprite == nullptr) return;
  sprite->ClearToTransparent();
  drawingList->Draw(sprite, 48, 0, 0);
}

void Player::Draw(ImageObject* target, Camera* camera) {
  if (camera == nullptr && gCameraManager != nullptr) camera = gCameraManager->GetActiveCamera();
  if (camera == nullptr) return;
  if (shooter) {
    DrawShooter(target, camera);
    return;
  }
  ChooseMovementState();
  RenderSprite();
  if (target != nullptr) target->SetAsTarget();
  if (camera->GetMapModeFlag() == 1) {
    if (mode1) {
      screenX = ToInt32(xPos - yPos + 225.0f);
      screenY = ToInt32(zPos + 160.0f + (xPos + yPos) * 0.5f + 85.0f);
    } else {
      screenX = ToInt32(xPos - static_cast<float>(camera->GetViewX()));
      screenY = ToInt32(yPos - static_cast<float>(camera->GetViewY()) + zPos);
    }
    // The isometric renderer draws the player between its blocks.
    return;
  }
  screenX = ToInt32(xPos - static_cast<float>(camera->GetViewX()));
  screenY = ToInt32(yPos - static_cast<float>(camera->GetViewY()) + zPos);
  if (target == nullptr) return;
  if (!sideView && shadows[1] != nullptr) {
    shadows[1]->DrawAt(SaturatingAdd(screenX, 34), ToInt32(static_cast<float>(screenY) - zPos), 0);
  }
  if (sprite != nullptr) sprite->Draw(SaturatingAdd(screenX, -48), SaturatingAdd(screenY, -75));
}

void Player::DrawAtStoredPosition() {
  if (shadows[1] != nullptr) shadows[1]->DrawAt(SaturatingAdd(screenX, 34), screenY, 0);
  if (sprite != nullptr) sprite->Draw(SaturatingAdd(screenX, -48), SaturatingAdd(screenY, -75));
}

void Player::DrawSpriteAt(ImageObject*, int32_t x, int32_t y) {
  if (sprite != nullptr) sprite->Draw(SaturatingAdd(x, -48), SaturatingAdd(y, -75));
}

void Player::DrawShooter(ImageObject* target, Camera* camera) {
  animationTime = walkCounter;
  animationRow = direction;
  ClearStates();
  SetState("Boosting");
  RenderSprite();
  screenX = ToInt32(xPos - static_cast<float>(camera->GetViewX()));
  screenY = ToInt32(zPos - static_cast<float>(camera->GetViewY()));
  if (target == nullptr) return;
  target->SetAsTarget();
  if (sprite != nullptr) {
    sprite->DrawAt(SaturatingAdd(screenX, -48), SaturatingAdd(screenY, -75), 0);
  }
}

PropertyRef Player::GetPropertyAddress(const char*, const char* property) {
  if (property == nullptr) return PropertyRef();
  if (std::strncmp(property, kStatePrefix, std::strlen(kStatePrefix)) == 0) {
    // Longer state names are cut, as no state has such a name.
    const std::string state(property + std::strlen(kStatePrefix),
                            strnlen(property + std::strlen(kStatePrefix), kStateNameLimit));
    Log("Scanning player for State: %s\n", state.c_str());
    if (uint8_t* flag = FindState(state.c_str())) return PropertyRef::Byte(*flag, lifetime.Token());
    Log("Pointer Routing:  Failed, no state variable %s found in Player\n", property);
    return PropertyRef();
  }
  return AnswerFromFields(kFields, *this, property, lifetime.Token());
}
